// SPDX-License-Identifier: MIT
#include "web/canvas_painter.h"

#include <emscripten.h>

// Each step goes to the page's painter (site/vorl-page.js) as it is; the
// geometry has all been worked out in the scene.
// clang-format off
EM_JS(void, vorl_js_begin_frame, (), { Module.vorlPage.painter.begin(); });
EM_JS(void, vorl_js_rectangle, (double x, double y, double w, double h, double radius,
                                bool filled, unsigned fill, bool stroked, unsigned pen,
                                double penWidth, int join), {
    Module.vorlPage.painter.rectangle(x, y, w, h, radius, filled ? fill : null,
                                      stroked ? pen : null, penWidth, join);
});
EM_JS(void, vorl_js_ellipse, (double x, double y, double w, double h, bool filled, unsigned fill,
                              bool stroked, unsigned pen, double penWidth, int join), {
    Module.vorlPage.painter.ellipse(x, y, w, h, filled ? fill : null, stroked ? pen : null,
                                    penWidth, join);
});
EM_JS(void, vorl_js_line, (double x1, double y1, double x2, double y2, unsigned pen,
                           double penWidth, bool roundCap), {
    Module.vorlPage.painter.line(x1, y1, x2, y2, pen, penWidth, roundCap);
});
EM_JS(void, vorl_js_text, (const char* text, double x, double y, double w, double h,
                           double clipX, double clipY, double clipW, double clipH,
                           unsigned colour, bool centred, bool wrap, const char* fontName,
                           double points, int weight, bool italic, bool underline,
                           bool strikeout), {
    Module.vorlPage.painter.text(UTF8ToString(text), x, y, w, h, clipX, clipY, clipW, clipH,
                                 colour, centred, wrap,
                                 fontName ? {name: UTF8ToString(fontName), points, weight,
                                             italic, underline, strikeout} : null);
});
// clang-format on

namespace vorl {
namespace {

void paint(const Primitive& p) {
    switch (p.kind) {
        case PrimitiveKind::RoundedRectangle:
            vorl_js_rectangle(p.box.x, p.box.y, p.box.width, p.box.height, p.radius, p.fill.present,
                              p.fill.colour, p.pen.present, p.pen.colour, p.pen.width,
                              static_cast<int>(p.pen.join));
            break;
        case PrimitiveKind::Ellipse:
            vorl_js_ellipse(p.box.x, p.box.y, p.box.width, p.box.height, p.fill.present,
                            p.fill.colour, p.pen.present, p.pen.colour, p.pen.width,
                            static_cast<int>(p.pen.join));
            break;
        case PrimitiveKind::Line:
            vorl_js_line(p.from.x, p.from.y, p.to.x, p.to.y, p.pen.colour, p.pen.width,
                         p.pen.cap == LineCap::Round);
            break;
        case PrimitiveKind::Text:
            if (!p.fill.present) {
                break;  // glyphs take the fill's colour: no fill, no text
            }
            vorl_js_text(p.text.c_str(), p.box.x, p.box.y, p.box.width, p.box.height, p.clip.x,
                         p.clip.y, p.clip.width, p.clip.height, p.fill.colour,
                         p.textAlignment == TextAlignment::Centre, p.wordWrap,
                         p.font ? p.font->Name.c_str() : nullptr, p.font ? p.font->Size : 0,
                         p.font ? p.font->Weight : 0, p.font && p.font->Italic,
                         p.font && p.font->Underline, p.font && p.font->Strikethrough);
            break;
    }
}

}  // namespace

void paintScene(const Scene& scene) {
    vorl_js_begin_frame();
    for (const Primitive& p : scene.primitives()) {
        paint(p);
    }
}

}  // namespace vorl
