// SPDX-License-Identifier: MIT
#pragma once

#include <cassert>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

#include "core/runtime/form_decorator.h"

namespace vorl {

// Keeps the form's handlers from being re-entered. A modal box shown from a
// handler runs an event loop of its own; a tick, press or menu click that
// arrives through it is dropped rather than run inside the handler that is
// waiting. The game therefore pauses while any of its boxes is open, and no
// tick runs twice at once. Pointer moves are the one exception: the last one
// that came meanwhile is handed on as soon as the busy handler returns, so
// that the cue line points where the pointer now is. A handler that throws
// leaves the form free for the next event.
class ReentryGuardForm final : public FormDecorator {
  public:
    explicit ReentryGuardForm(Form& form) : FormDecorator(form) {}

    bool busy() const { return busy_; }

    void load() override {
        run([&] { form_.load(); });
    }
    void timer() override {
        run([&] { form_.timer(); });
    }
    void mouseMove(std::int16_t button, std::int16_t shift, float x, float y) override {
        // Only the latest position matters: a newer move replaces a waiting one.
        waitingMove_ = Move{button, shift, x, y};
        handOnWaitingMove();
    }
    void mouseDown(std::int16_t button, std::int16_t shift, float x, float y) override {
        run([&] { form_.mouseDown(button, shift, x, y); });
    }
    void menuClick(std::string_view name) override {
        run([&] { form_.menuClick(name); });
    }

  private:
    struct Move {
        std::int16_t button, shift;
        float x, y;
    };

    // Marks the form busy for as long as it lives, however the handler ends.
    class BusyScope {
      public:
        explicit BusyScope(bool& busy) : busy_(busy) {
            assert(!busy_ && "a handler would run inside another");
            busy_ = true;
        }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;
        ~BusyScope() { busy_ = false; }

      private:
        bool& busy_;
    };

    template <typename Handler>
    void run(Handler handler) {
        if (busy_) {
            return;
        }
        {
            const BusyScope scope(busy_);
            handler();
        }
        handOnWaitingMove();
    }

    void handOnWaitingMove() {
        while (waitingMove_ && !busy_) {
            const Move move = *std::exchange(waitingMove_, std::nullopt);
            const BusyScope scope(busy_);
            form_.mouseMove(move.button, move.shift, move.x, move.y);
        }
    }

    bool busy_ = false;
    std::optional<Move> waitingMove_;
};

}  // namespace vorl
