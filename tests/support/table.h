// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include "support/game.h"

namespace vorl::testing {

// A fresh window after its load handler, as at start-up; suites name it
// after what they test (`using Cushions = testing::Table;`).
class Table : public ::testing::Test {
  protected:
    Game g;
    Form1& f = g.form;
};

}  // namespace vorl::testing
