// SPDX-License-Identifier: MIT
// How each control is drawn: every size, inset and radius of the frame is
// worked out here, once, for all the front-ends.
#include <algorithm>
#include <cassert>
#include <cmath>
#include <variant>

#include "core/runtime/form.h"
#include "core/scene/scene.h"

namespace vorl {
namespace {

// The corner radius of a rounded rectangle, as a share of its shorter side.
constexpr double kCornerRadiusShare = 0.1;
// A label's border: one pixel, wholly inside the label.
constexpr double kLabelBorderWidth = 1.0;
// Room left between a label's border and its text, on the left and right.
constexpr double kLabelTextMargin = 2.0;
// A line is never thinner than a pixel, whatever its border width says.
constexpr double kThinnestLine = 1.0;

double pixels(float twips) {
    return static_cast<double>(twips) / kTwipsPerPixel;
}

Box pixelBox(float left, float top, float width, float height) {
    return Box{pixels(left), pixels(top), pixels(width), pixels(height)};
}

// The box moved in by `by` on every side.
Box shrunk(const Box& b, double by) {
    return Box{b.x + by, b.y + by, b.width - by - by, b.height - by - by};
}

// A circle takes the smaller side as its diameter and sits centred in the box.
Box centredSquare(const Box& b) {
    const double d = std::min(b.width, b.height);
    return Box{b.x + b.width / 2 - d / 2, b.y + b.height / 2 - d / 2, d, d};
}

}  // namespace

// Hands out the next slot. One that held another kind of primitive is emptied
// first; one of the same kind has empty fields wherever the kind has no use
// for them, and its caller sets all the others. Texts are overwritten in
// place, so an unchanged frame allocates nothing.
Primitive& Scene::slot(PrimitiveKind kind) {
    if (count_ == items_.size()) {
        items_.emplace_back();
    }
    Primitive& p = items_[count_++];
    if (p.kind != kind) {
        p = Primitive{};
        p.kind = kind;
    }
    return p;
}

void Scene::addRectangle(const Box& outline, double radius, const Pen& pen, const Fill& fill) {
    Primitive& p = slot(PrimitiveKind::RoundedRectangle);
    p.box = outline;
    p.radius = radius;
    p.pen = pen;
    p.fill = fill;
}

void Scene::addEllipse(const Box& outline, const Pen& pen, const Fill& fill) {
    Primitive& p = slot(PrimitiveKind::Ellipse);
    p.box = outline;
    p.pen = pen;
    p.fill = fill;
}

void Scene::addLine(const Point& from, const Point& to, const Pen& pen) {
    Primitive& p = slot(PrimitiveKind::Line);
    p.from = from;
    p.to = to;
    p.pen = pen;
}

void Scene::addText(const Box& box, const Fill& fill, TextAlignment alignment, bool wordWrap,
                    const std::string& text, const std::optional<FontSpec>& font) {
    Primitive& p = slot(PrimitiveKind::Text);
    p.box = box;
    p.clip = box;
    p.fill = fill;
    p.textAlignment = alignment;
    p.wordWrap = wordWrap;
    p.text = text;
    p.font = font;
}

void Scene::build(const Form& form, double devicePixelRatio) {
    build(form.backColour(), form.clientWidth(), form.clientHeight(), form.controlsBackToFront(),
          devicePixelRatio);
}

void Scene::build(Colour backColour, float clientWidth, float clientHeight,
                  const std::vector<ControlRef>& controls, double devicePixelRatio) {
    assert(devicePixelRatio > 0 && std::isfinite(devicePixelRatio));
    count_ = 0;
    devicePixelRatio_ = devicePixelRatio;
    addRectangle(Box{0, 0, pixels(clientWidth), pixels(clientHeight)}, 0, Pen{},
                 Fill{true, backColour});
    for (const ControlRef& ref : controls) {
        std::visit(
            [this](const auto* control) {
                if (control->Visible) {
                    add(*control);
                }
            },
            ref);
    }
}

// A solid border is centred on the shape's edge, so half of it lies outside;
// an inside-solid one lies wholly within, at most as wide as the shorter side,
// and its outline and corners move in by half its width. The back colour is
// never painted.
void Scene::add(const ShapeControl& shape) {
    Box edge = pixelBox(shape.Left, shape.Top, shape.Width, shape.Height);
    if (shape.Shape == ShapeKind::Circle) {
        edge = centredSquare(edge);
    }
    const double shortSide = std::min(edge.width, edge.height);
    double penWidth = std::max(shape.BorderWidth, 0);
    double inset = 0;
    const bool inside = shape.BorderStyle == ShapeBorderStyle::InsideSolid;
    if (inside) {
        penWidth = std::min(penWidth, shortSide);
        inset = penWidth / 2;
    }
    const Pen pen = penWidth > 0
                        ? Pen{true,          shape.BorderColor,
                              penWidth,      inside ? PenAlignment::Inside : PenAlignment::Centred,
                              LineCap::Flat, LineJoin::Miter}
                        : Pen{};
    const Fill fill =
        shape.FillStyle == ShapeFillStyle::Solid ? Fill{true, shape.FillColor} : Fill{};
    const Box outline = shrunk(edge, inset);
    switch (shape.Shape) {
        case ShapeKind::Rectangle:
            addRectangle(outline, 0, pen, fill);
            break;
        case ShapeKind::RoundedRectangle:
            addRectangle(outline, std::max(shortSide * kCornerRadiusShare - inset, 0.0), pen, fill);
            break;
        case ShapeKind::Oval:
        case ShapeKind::Circle:
            addEllipse(outline, pen, fill);
            break;
    }
}

void Scene::add(const LineControl& line) {
    addLine(
        Point{pixels(line.X1), pixels(line.Y1)}, Point{pixels(line.X2), pixels(line.Y2)},
        Pen{true, line.BorderColor, std::max(static_cast<double>(line.BorderWidth), kThinnestLine),
            PenAlignment::Centred, LineCap::Round, LineJoin::Round});
}

// The back colour fills the label, the border lies over its outermost pixel,
// and the text starts at the top, wraps at word boundaries within the width
// and is cut off at the edge of its margins.
void Scene::add(const LabelControl& label) {
    const Box box = pixelBox(label.Left, label.Top, label.Width, label.Height);
    addRectangle(box, 0, Pen{}, Fill{true, label.BackColor});
    Box textBox = box;
    if (label.BorderStyle == LabelBorderStyle::FixedSingle) {
        addRectangle(shrunk(box, kLabelBorderWidth / 2), 0,
                     Pen{true, COLOR_WINDOWTEXT, kLabelBorderWidth, PenAlignment::Inside,
                         LineCap::Flat, LineJoin::Bevel},
                     Fill{});
        textBox = shrunk(box, kLabelBorderWidth);
    }
    textBox.x += kLabelTextMargin;
    textBox.width -= 2 * kLabelTextMargin;
    addText(textBox, Fill{true, label.ForeColor},
            label.Alignment == LabelAlignment::Center ? TextAlignment::Centre : TextAlignment::Left,
            true, label.Caption, label.Font);
}

// The picture keeps its natural size from the control's top-left corner; the
// control's frame only clips it.
void Scene::add(const PictureControl& picture) {
    const Box frame = pixelBox(picture.Left, picture.Top, picture.Width, picture.Height);
    const double right = std::min(frame.x + frame.width, frame.x + picture.picture.widthPx);
    const double bottom = std::min(frame.y + frame.height, frame.y + picture.picture.heightPx);
    if (right > frame.x && bottom > frame.y) {
        addRectangle(Box{frame.x, frame.y, right - frame.x, bottom - frame.y}, 0, Pen{},
                     Fill{true, picture.picture.colour});
    }
}

}  // namespace vorl
