// SPDX-License-Identifier: MIT
#include "web/web_front.h"

#include <emscripten.h>
#include <emscripten/eventloop.h>

#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "core/runtime/page_json.h"
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
EM_JS(void, vorl_js_report_error, (const char* what), {
    console.error('vorl: error: ' + UTF8ToString(what));
});
EM_JS(void, vorl_js_describe, (const char* readout), {
    Module.vorlPage.describe(JSON.parse(UTF8ToString(readout)));
});
// The game kept in the tab, as bytes: C++ owns the buffer, the page copies.
EM_JS(int, vorl_js_kept_size, (), {
    const kept = Module.vorlPage.keptGame();
    return kept === null ? -1 : kept.length;
});
EM_JS(void, vorl_js_copy_kept, (char* into, int size), {
    HEAPU8.set(Module.vorlPage.keptGame().subarray(0, size), into);
});
EM_JS(void, vorl_js_keep, (const char* bytes, int size), {
    Module.vorlPage.keepGame(HEAPU8.subarray(bytes, bytes + size));
});
EM_JS(void, vorl_js_kept_refused, (const char* why), {
    console.warn('vorl: the game kept in this tab was not restored: ' + UTF8ToString(why));
});
// clang-format on

namespace vorl {
namespace {

WebFront* thePage = nullptr;

}  // namespace

WebFront::WebFront(Form& form) : driver_(form, *this) {
    thePage = this;
}

WebFront::~WebFront() {
    thePage = nullptr;
}

void WebFront::restoreKept() {
    const int size = vorl_js_kept_size();
    if (size < 0) {
        return;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    vorl_js_copy_kept(bytes.data(), size);
    if (std::string why; !driver_.loadState(bytes, &why)) {
        vorl_js_kept_refused(why.c_str());
    }
}

void WebFront::keep() {
    if (driver_.saveState(kept_)) {
        const std::string_view bytes = kept_.bytes();
        vorl_js_keep(bytes.data(), static_cast<int>(bytes.size()));
    }
}

void WebFront::start() {
    vorl_js_open_window(driver_.caption().c_str(), menuJson(driver_.menuBar()).c_str(),
                        driver_.clientWidth() / kTwipsPerPixel,
                        driver_.clientHeight() / kTwipsPerPixel);
    resume();  // asks for the first frame too
}

void WebFront::onTimer(void* front) {
    auto* page = static_cast<WebFront*>(front);
    page->timer_.reset();
    if (page->driver_.tick()) {
        ++page->ticks_;
        // Asleep after a tick: at rest (or under a box) the game is kept,
        // once, and then sleeps until input wakes it.
        if (page->driver_.asleep()) {
            page->keep();
        }
    }
}

void WebFront::armTimer(int ms) {
    cancelTimer();
    timer_ = emscripten_set_timeout(&WebFront::onTimer, ms, this);
}

void WebFront::cancelTimer() {
    if (timer_) {
        emscripten_clear_timeout(*timer_);
        timer_.reset();
    }
}

void WebFront::requestFrame() {
    vorl_js_request_frame();
}

std::chrono::nanoseconds WebFront::now() const {
    return std::chrono::nanoseconds(
        static_cast<long long>(std::llround(emscripten_get_now() * 1e6)));
}

void WebFront::reportError(std::string_view what) {
    vorl_js_report_error(std::string(what).c_str());
}

// A box of the page's is open, or the game has ended.
bool WebFront::held() const {
    return !vorl_js_running();
}

void WebFront::mouseMove(int button, int shift, double x, double y) {
    driver_.mouseMove(static_cast<std::int16_t>(button), static_cast<std::int16_t>(shift),
                      twipsFromPixels(x), twipsFromPixels(y));
}

void WebFront::mouseDown(int button, int shift, double x, double y) {
    driver_.mouseDown(static_cast<std::int16_t>(button), static_cast<std::int16_t>(shift),
                      twipsFromPixels(x), twipsFromPixels(y));
}

void WebFront::menuClick(const char* name) {
    driver_.menuClick(name);
}

void WebFront::paint(double devicePixelRatio) {
    paintScene(driver_.paint(devicePixelRatio));
    if (held()) {
        return;  // the readout waits for the box to close, as the frame does
    }
    if (TextReadout readout = driver_.textReadout(); readout != toldReadout_) {
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
// The player's system asks for reduced motion (1) or no longer does (0): the
// table's colours change at most three times a second, or on every tick.
EMSCRIPTEN_KEEPALIVE void vorl_reduce_flashing(int on) {
    vorl::thePage->reduceFlashing(on != 0);
}
EMSCRIPTEN_KEEPALIVE long vorl_ticks() {
    return vorl::thePage->ticks();
}
EMSCRIPTEN_KEEPALIVE void vorl_keep() {
    vorl::thePage->keep();
}

}  // extern "C"
