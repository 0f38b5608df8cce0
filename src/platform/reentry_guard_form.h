// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/form.h"

namespace vorl {

// Keeps the form's handlers from being re-entered. A modal box shown from a
// handler runs an event loop of its own; a tick, press or menu click that
// arrives through it is dropped rather than run inside the handler that is
// waiting. The game therefore pauses while any of its boxes is open, and no
// tick runs twice at once.
class ReentryGuardForm final : public Form {
  public:
    explicit ReentryGuardForm(Form& form) : form_(form) {}

    bool busy() const { return busy_; }

    std::string caption() const override { return form_.caption(); }
    std::string applicationTitle() const override { return form_.applicationTitle(); }
    float clientWidth() const override { return form_.clientWidth(); }
    float clientHeight() const override { return form_.clientHeight(); }
    OleColor backColor() const override { return form_.backColor(); }
    std::vector<ControlRef> controlsBackToFront() const override {
        return form_.controlsBackToFront();
    }
    const std::vector<MenuItem>& menuBar() const override { return form_.menuBar(); }

    void load() override {
        run([&] { form_.load(); });
    }
    void timer() override {
        run([&] { form_.timer(); });
    }
    void mouseMove(std::int16_t button, std::int16_t shift, float x, float y) override {
        run([&] { form_.mouseMove(button, shift, x, y); });
    }
    void mouseDown(std::int16_t button, std::int16_t shift, float x, float y) override {
        run([&] { form_.mouseDown(button, shift, x, y); });
    }
    void menuClick(std::string_view name) override {
        run([&] { form_.menuClick(name); });
    }

  private:
    template <typename Handler>
    void run(Handler handler) {
        if (busy_) {
            return;
        }
        busy_ = true;
        handler();
        busy_ = false;
    }

    Form& form_;
    bool busy_ = false;
};

}  // namespace vorl
