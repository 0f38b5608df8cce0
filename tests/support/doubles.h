// SPDX-License-Identifier: MIT
#pragma once

// Stand-ins for the services a front-end gives the game, and for the game a
// front-end shows. None needs a toolkit, so every front-end's tests, the
// benchmarks and the soak share them.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/runtime/form.h"
#include "core/runtime/message_box.h"
#include "core/runtime/program_exit.h"
#include "core/runtime/random_source.h"

namespace vorl::testing {

// Records the texts of the boxes the game shows; each counts as closed at once.
class RecordingMessageBox final : public MessageBox {
  public:
    void show(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

// A box that closes at once, for runs that look at nothing it says.
class SilentMessageBox final : public MessageBox {
  public:
    void show(const std::string&) override {}
};

// Counts the requests to end the program; the program goes on.
class RecordingProgramExit final : public ProgramExit {
  public:
    void endProgram() override { ++requests; }
    int requests = 0;
};

// An exit that never happens, for runs that never ask for one.
class SilentProgramExit final : public ProgramExit {
  public:
    void endProgram() override {}
};

// Hands out the given values in turn, then repeats the last; counts the draws.
class ScriptedRandom final : public RandomSource {
  public:
    float next() override {
        const float r = values.empty() ? 0.0f : values[std::min(draws, values.size() - 1)];
        ++draws;
        return r;
    }
    std::uint32_t state() const override { return static_cast<std::uint32_t>(draws); }
    void restore(std::uint32_t state) override { draws = state; }
    std::vector<float> values;
    std::size_t draws = 0;
};

// A form that records what a window hands it and draws only what it is given.
class RecordingForm final : public Form {
  public:
    struct Pointer {
        std::int16_t button, shift;
        float x, y;
        friend bool operator==(const Pointer&, const Pointer&) = default;
    };

    std::string caption() const override { return "Fake"; }
    std::string applicationTitle() const override { return "Fake title"; }
    float clientWidth() const override { return 19080; }
    float clientHeight() const override { return 10680; }
    Colour backColour() const override { return back; }
    std::vector<ControlRef> controlsBackToFront() const override { return controls; }
    const std::vector<MenuItem>& menuBar() const override { return menus; }
    TextReadout textReadout() const override { return {}; }
    void load() override {}
    void timer() override {
        if (onTimer) {
            onTimer();
        }
    }
    void mouseMove(std::int16_t b, std::int16_t s, float x, float y) override {
        moves.push_back({b, s, x, y});
    }
    void mouseDown(std::int16_t b, std::int16_t s, float x, float y) override {
        downs.push_back({b, s, x, y});
    }
    void menuClick(std::string_view name) override {
        clicks.emplace_back(name);
        if (onMenuClick) {
            onMenuClick();
        }
    }
    // Its back colour is all its state; it rests only when told it may.
    bool saveState(FormState& state) const override {
        state.clear();
        state.add(back);
        return rests;
    }

    std::vector<ControlRef> controls;
    std::vector<MenuItem> menus;
    Colour back = COLOR_MENU;
    bool rests = false;
    std::function<void()> onTimer, onMenuClick;
    std::vector<Pointer> moves, downs;
    std::vector<std::string> clicks;
};

}  // namespace vorl::testing
