// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "core/runtime/controls.h"
#include "core/runtime/form.h"

namespace vorl {

// The menu tree as JSON, for a front-end written in another language:
// [{"name": "...", "caption": "&File", "items": [...]}, ...]. Captions are
// kept exactly, ampersands and spaces included.
std::string menuJson(const std::vector<MenuItem>& items);

// The text readout as JSON: {"rows": [["...", ...], ...], "current": "..."}.
std::string readoutJson(const TextReadout& readout);

}  // namespace vorl
