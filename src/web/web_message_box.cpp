// SPDX-License-Identifier: MIT
#include "web/web_message_box.h"

#include <emscripten.h>

// clang-format off
EM_JS(void, vorl_js_show_message, (const char* title, const char* text), {
    Module.vorlPage.showMessage(UTF8ToString(title), UTF8ToString(text));
});
// clang-format on

namespace vorl {

void WebMessageBox::show(const std::string& text) {
    const std::string title = form_ != nullptr ? form_->applicationTitle() : std::string();
    vorl_js_show_message(title.c_str(), text.c_str());
}

}  // namespace vorl
