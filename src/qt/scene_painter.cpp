// SPDX-License-Identifier: MIT
#include "qt/scene_painter.h"

#include <QString>
#include <algorithm>

namespace vorl {
namespace {

QRectF rectOf(const Box& b) {
    return QRectF(b.x, b.y, b.width, b.height);
}

Qt::PenCapStyle capOf(LineCap cap) {
    return cap == LineCap::Round ? Qt::RoundCap : Qt::FlatCap;
}

Qt::PenJoinStyle joinOf(LineJoin join) {
    switch (join) {
        case LineJoin::Bevel:
            return Qt::BevelJoin;
        case LineJoin::Round:
            return Qt::RoundJoin;
        case LineJoin::Miter:
            break;
    }
    return Qt::MiterJoin;
}

QFont fontFrom(const FontSpec& wanted) {
    QFont font(QString::fromStdString(wanted.Name));
    font.setStyleHint(QFont::SansSerif);  // the face may be missing here
    font.setPointSizeF(wanted.Size);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(wanted.Weight, 1, 1000)));
    font.setItalic(wanted.Italic);
    font.setUnderline(wanted.Underline);
    font.setStrikeOut(wanted.Strikethrough);
    return font;
}

}  // namespace

ScenePainter::ScenePainter(QPainter& painter, const ColourResolver& colours)
    : painter_(painter), colours_(colours), defaultFont_(painter.font()) {
    painter_.setRenderHint(QPainter::Antialiasing);
}

void ScenePainter::paint(const Scene& scene) {
    for (const Primitive& primitive : scene.primitives()) {
        paint(primitive);
    }
}

void ScenePainter::paint(const Primitive& p) {
    if (p.kind == PrimitiveKind::Text) {
        paintText(p);
        return;
    }
    painter_.setPen(p.pen.present ? QPen(colours_.resolve(p.pen.colour), p.pen.width, Qt::SolidLine,
                                         capOf(p.pen.cap), joinOf(p.pen.join))
                                  : QPen(Qt::NoPen));
    painter_.setBrush(p.fill.present ? QBrush(colours_.resolve(p.fill.colour))
                                     : QBrush(Qt::NoBrush));
    switch (p.kind) {
        case PrimitiveKind::RoundedRectangle:
            painter_.drawRoundedRect(rectOf(p.box), p.radius, p.radius);  // 0: square corners
            break;
        case PrimitiveKind::Ellipse:
            painter_.drawEllipse(rectOf(p.box));
            break;
        case PrimitiveKind::Line:
            painter_.drawLine(QPointF(p.from.x, p.from.y), QPointF(p.to.x, p.to.y));
            break;
        case PrimitiveKind::Text:
            break;
    }
}

void ScenePainter::paintText(const Primitive& text) {
    if (!text.fill.present) {
        return;
    }
    const int flags =
        (text.textAlignment == TextAlignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft) |
        Qt::AlignTop | (text.wordWrap ? Qt::TextWordWrap : 0) | Qt::TextDontClip;
    painter_.save();
    painter_.setClipRect(rectOf(text.clip), Qt::IntersectClip);
    painter_.setFont(text.font ? fontFrom(*text.font) : defaultFont_);
    painter_.setPen(colours_.resolve(text.fill.colour));
    painter_.drawText(rectOf(text.box), flags, QString::fromStdString(text.text));
    painter_.restore();
}

}  // namespace vorl
