// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "core/runtime/menu_json.h"

namespace vorl {
namespace {

// Catches a caption that breaks the browser's menu bar: quotes, backslashes
// and control characters must be escaped, ampersands and spaces kept.
TEST(MenuJson, KeepsCaptionsExactlyAndEscapesWhatJsonMust) {
    const std::vector<MenuItem> tree{
        {"mnuA", "E&dit ", {{"q", "say \"hi\"\\\t", {}}}},
        {"mnuB", "Pro&gramer", {}},
    };
    EXPECT_EQ(menuJson(tree),
              R"([{"name":"mnuA","caption":"E&dit ","items":[{"name":"q","caption":)"
              R"("say \"hi\"\\\u0009","items":[]}]},{"name":"mnuB","caption":"Pro&gramer",)"
              R"("items":[]}])");
}

}  // namespace
}  // namespace vorl
