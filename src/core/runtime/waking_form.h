// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>

#include "core/runtime/form_decorator.h"

namespace vorl {

// Hands every event on to the form and calls `wake` once a pointer move, a
// press or a menu command has run: the input that starts a timer stopped at
// rest again (see RestWatch). A command that opened a box returns when the
// box has closed, so the closing wakes it too. Ticks pass through unseen.
class WakingForm final : public FormDecorator {
  public:
    WakingForm(Form& form, std::function<void()> wake)
        : FormDecorator(form), wake_(std::move(wake)) {}

    void mouseMove(std::int16_t button, std::int16_t shift, float x, float y) override {
        form_.mouseMove(button, shift, x, y);
        wake_();
    }
    void mouseDown(std::int16_t button, std::int16_t shift, float x, float y) override {
        form_.mouseDown(button, shift, x, y);
        wake_();
    }
    void menuClick(std::string_view name) override {
        form_.menuClick(name);
        wake_();
    }

  private:
    std::function<void()> wake_;
};

}  // namespace vorl
