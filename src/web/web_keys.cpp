// SPDX-License-Identifier: MIT
#include "web/web_keys.h"

#include <emscripten.h>

#include <cassert>
#include <optional>

namespace vorl {
namespace {

WebKeys* theKeys = nullptr;

}  // namespace

WebKeys::WebKeys(Form& form, const Form1& game) : aim_(form, game) {
    assert(theKeys == nullptr && "one keyboard per page");
    theKeys = this;
}

WebKeys::~WebKeys() {
    theKeys = nullptr;
}

const std::string& WebKeys::press(std::string_view name) {
    said_.clear();
    if (const std::optional<AimKeyStroke> stroke = aimKeyFromName(name)) {
        aim_.press(*stroke);
        said_ = aim_.description();
    }
    return said_;
}

}  // namespace vorl

// What the page calls for a key on the focused table: "Left", "Shift+Up",
// "Space", "Enter", ... The text lives until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vorl_key(const char* name) {
    return vorl::theKeys->press(name).c_str();
}
