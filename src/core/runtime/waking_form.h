// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/runtime/form.h"

namespace vorl {

// Hands every event on to the form and calls `wake` once a pointer move, a
// press or a menu command has run: the input that starts a timer stopped at
// rest again (see RestWatch). A command that opened a box returns when the
// box has closed, so the closing wakes it too. Ticks pass through unseen.
class WakingForm final : public Form {
  public:
    WakingForm(Form& form, std::function<void()> wake) : form_(form), wake_(std::move(wake)) {}

    std::string caption() const override { return form_.caption(); }
    std::string applicationTitle() const override { return form_.applicationTitle(); }
    float clientWidth() const override { return form_.clientWidth(); }
    float clientHeight() const override { return form_.clientHeight(); }
    Colour backColour() const override { return form_.backColour(); }
    std::vector<ControlRef> controlsBackToFront() const override {
        return form_.controlsBackToFront();
    }
    const std::vector<MenuItem>& menuBar() const override { return form_.menuBar(); }
    TextReadout textReadout() const override { return form_.textReadout(); }
    bool saveState(FormState& state) const override { return form_.saveState(state); }

    void load() override { form_.load(); }
    void timer() override { form_.timer(); }
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
    Form& form_;
    std::function<void()> wake_;
};

}  // namespace vorl
