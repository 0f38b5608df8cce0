// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/runtime/form.h"

namespace vorl {

// A form that hands everything on to another. The front-ends wrap the game
// in a few of these, each overriding only the events it adds something to.
class FormDecorator : public Form {
  public:
    explicit FormDecorator(Form& form) : form_(form) {}

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
    bool loadState(std::string_view bytes, std::string* why) override {
        return form_.loadState(bytes, why);
    }

    void load() override { form_.load(); }
    void timer() override { form_.timer(); }
    void mouseMove(std::int16_t button, std::int16_t shift, float x, float y) override {
        form_.mouseMove(button, shift, x, y);
    }
    void mouseDown(std::int16_t button, std::int16_t shift, float x, float y) override {
        form_.mouseDown(button, shift, x, y);
    }
    void menuClick(std::string_view name) override { form_.menuClick(name); }

  protected:
    Form& form_;
};

}  // namespace vorl
