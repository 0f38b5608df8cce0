// SPDX-License-Identifier: MIT
#include "web/web_colour_hold.h"

#include <emscripten.h>
#include <emscripten/eventloop.h>

#include <algorithm>
#include <cassert>
#include <cmath>
#include <utility>

namespace vorl {
namespace {

WebColourHold* theHold = nullptr;

}  // namespace

WebColourHold::WebColourHold(std::function<void()> due) : due_(std::move(due)) {
    assert(theHold == nullptr && "one colour hold per page");
    theHold = this;
}

WebColourHold::~WebColourHold() {
    stopTimer();
    theHold = nullptr;
}

void WebColourHold::setOn(bool on) {
    if (on == hold_.has_value()) {
        return;
    }
    stopTimer();
    if (on) {
        hold_.emplace();
    } else {
        hold_.reset();
        due_();
    }
}

void WebColourHold::apply(Scene& scene) {
    if (!hold_) {
        return;
    }
    // performance.now(): steady, and never going back.
    const double now = emscripten_get_now() / 1000.0;
    hold_->apply(scene, now);
    stopTimer();
    if (const std::optional<double> due = hold_->dueAt()) {
        const double ms = std::max(std::ceil((*due - now) * 1000.0), 0.0);
        timer_ = emscripten_set_timeout(&WebColourHold::onDue, ms, this);
    }
}

void WebColourHold::onDue(void* hold) {
    auto* self = static_cast<WebColourHold*>(hold);
    self->timer_ = 0;
    self->due_();
}

void WebColourHold::stopTimer() {
    if (timer_ != 0) {
        emscripten_clear_timeout(timer_);
        timer_ = 0;
    }
}

}  // namespace vorl

// What the page calls, when the page loads and whenever its
// prefers-reduced-motion changes.
extern "C" EMSCRIPTEN_KEEPALIVE void vorl_reduce_flashing(int on) {
    vorl::theHold->setOn(on != 0);
}
