// SPDX-License-Identifier: MIT
#include "web/web_front.h"

#include <emscripten.h>
#include <emscripten/eventloop.h>

#include <cmath>
#include <string>
#include <utility>

#include "core/runtime/page_json.h"
#include "core/runtime/tick_schedule.h"
#include "web/canvas_painter.h"

// The page's side, in site/vorl-page.js.
// clang-format off
EM_JS(void, vorl_js_open_window, (const char* caption, const char* menus, double width,
                                  double height), {
    Module.vorlPage.openWindow(UTF8ToString(caption), JSON.parse(UTF8ToString(menus)), width,
                               height);
});
EM_JS(bool, vorl_js_running, (), { return Module.vorlPage.running(); });
EM_JS(void, vorl_js_request_frame, (), { Module.vorlPage.requestFrame(); });
EM_JS(void, vorl_js_describe, (const char* readout), {
    Module.vorlPage.describe(JSON.parse(UTF8ToString(readout)));
});
// clang-format on

namespace vorl {
namespace {

WebFront* thePage = nullptr;

std::chrono::nanoseconds clockNow() {
    return std::chrono::nanoseconds(
        static_cast<long long>(std::llround(emscripten_get_now() * 1e6)));
}

}  // namespace

WebFront::WebFront(Form& form) : form_(form) {
    thePage = this;
}

WebFront::~WebFront() {
    thePage = nullptr;
}

void WebFront::start() {
    vorl_js_open_window(form_.caption().c_str(), menuJson(form_.menuBar()).c_str(),
                        form_.clientWidth() / kTwipsPerPixel,
                        form_.clientHeight() / kTwipsPerPixel);
    resume();  // asks for the first frame too
}

void WebFront::resume() {
    emscripten_clear_timeout(timer_);
    asleep_ = false;
    deadline_ = clockNow();
    arm();
    // A frame asked for while the box was open was not painted.
    framePending_ = false;
    refresh();
}

void WebFront::arm() {
    const TickSchedule next = nextTick(deadline_, clockNow());
    deadline_ = next.deadline;
    timer_ = emscripten_set_timeout(&WebFront::onTimer, next.waitMs, this);
}

void WebFront::onTimer(void* front) {
    static_cast<WebFront*>(front)->tick();
}

// While a box is open or after the game has ended the tick stops; closing
// the box starts it again through resume(). After a tick at rest it stops
// too, until input wakes it. A tick that throws leaves the next one armed.
void WebFront::tick() {
    if (ticking_ || !vorl_js_running()) {
        return;
    }
    ticking_ = true;
    ++ticks_;
    bool atRest = false;
    try {
        atRest = rest_.tick(form_);
    } catch (...) {
        ticking_ = false;
        if (vorl_js_running()) {
            arm();
        }
        throw;
    }
    ticking_ = false;
    refresh();
    if (atRest) {
        asleep_ = true;
    } else if (vorl_js_running()) {
        arm();
    }
}

void WebFront::wake() {
    if (asleep_ && vorl_js_running()) {
        asleep_ = false;
        deadline_ = clockNow();
        arm();
    }
}

void WebFront::mouseMove(int button, int shift, double x, double y) {
    form_.mouseMove(static_cast<std::int16_t>(button), static_cast<std::int16_t>(shift),
                    twipsFromPixels(x), twipsFromPixels(y));
    refresh();
    wake();
}

void WebFront::mouseDown(int button, int shift, double x, double y) {
    form_.mouseDown(static_cast<std::int16_t>(button), static_cast<std::int16_t>(shift),
                    twipsFromPixels(x), twipsFromPixels(y));
    refresh();
    wake();
}

void WebFront::menuClick(const char* name) {
    form_.menuClick(name);
    refresh();
    wake();
}

void WebFront::inputArrived() {
    refresh();
    wake();
}

void WebFront::refresh() {
    current_.build(form_, devicePixelRatio_);
    colours_.apply(current_);
    if (!framePending_ && !current_.looksLike(painted_)) {
        framePending_ = true;
        vorl_js_request_frame();
    }
}

void WebFront::paint(double devicePixelRatio) {
    framePending_ = false;
    devicePixelRatio_ = devicePixelRatio;
    painted_.build(form_, devicePixelRatio);
    colours_.apply(painted_);
    paintScene(painted_);
    if (TextReadout readout = form_.textReadout(); readout != toldReadout_) {
        vorl_js_describe(readoutJson(readout).c_str());
        toldReadout_ = std::move(readout);
    }
}

}  // namespace vorl

// What the page calls.
extern "C" {

EMSCRIPTEN_KEEPALIVE void vorl_mouse_move(int button, int shift, double x, double y) {
    vorl::thePage->mouseMove(button, shift, x, y);
}
EMSCRIPTEN_KEEPALIVE void vorl_mouse_down(int button, int shift, double x, double y) {
    vorl::thePage->mouseDown(button, shift, x, y);
}
EMSCRIPTEN_KEEPALIVE void vorl_menu_click(const char* name) {
    vorl::thePage->menuClick(name);
}
EMSCRIPTEN_KEEPALIVE void vorl_resume() {
    vorl::thePage->resume();
}
EMSCRIPTEN_KEEPALIVE void vorl_paint(double devicePixelRatio) {
    vorl::thePage->paint(devicePixelRatio);
}
EMSCRIPTEN_KEEPALIVE long vorl_ticks() {
    return vorl::thePage->ticks();
}

}  // extern "C"
