#include "platform/qt/control_painter.h"

#include <QString>
#include <algorithm>
#include <variant>

#include "platform/form.h"

namespace vorl {
namespace {

// The corner radius of a rounded rectangle, as a share of its shorter side.
constexpr double kCornerRadiusShare = 0.1;
// Room left between a label's border and its text.
constexpr double kLabelTextMargin = 2.0;

double pixels(float twips) {
    return static_cast<double>(twips) / kTwipsPerPixel;
}

QRectF pixelRect(float left, float top, float width, float height) {
    return QRectF(pixels(left), pixels(top), pixels(width), pixels(height));
}

QPointF pixelPoint(float x, float y) {
    return QPointF(pixels(x), pixels(y));
}

// A circle takes the smaller side as its diameter and sits centred in the rectangle.
QRectF circleIn(const QRectF& bounds) {
    const double d = std::min(bounds.width(), bounds.height());
    return QRectF(bounds.center().x() - d / 2, bounds.center().y() - d / 2, d, d);
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

ControlPainter::ControlPainter(QPainter& painter, const ColourResolver& colours)
    : painter_(painter), colours_(colours), defaultFont_(painter.font()) {
    painter_.setRenderHint(QPainter::Antialiasing);
}

void ControlPainter::drawBackToFront(const std::vector<ControlRef>& controls) {
    for (const ControlRef& ref : controls) {
        std::visit(
            [this](const auto* control) {
                if (control->Visible) {
                    draw(*control);
                }
            },
            ref);
    }
}

// A solid border is centred on the shape's edge, so half of it lies outside;
// an inside-solid one is drawn wholly within. The back colour is never painted.
void ControlPainter::draw(const ShapeControl& shape) {
    QRectF edge = pixelRect(shape.Left, shape.Top, shape.Width, shape.Height);
    if (shape.Shape == ShapeKind::Circle) {
        edge = circleIn(edge);
    }
    const double shortSide = std::min(edge.width(), edge.height());
    double penWidth = std::max(shape.BorderWidth, 0);
    double inset = 0;
    if (shape.BorderStyle == ShapeBorderStyle::InsideSolid) {
        penWidth = std::min(penWidth, shortSide);
        inset = penWidth / 2;
    }
    const QRectF outline = edge.adjusted(inset, inset, -inset, -inset);

    painter_.setPen(penWidth > 0 ? QPen(colours_.resolve(shape.BorderColor), penWidth,
                                        Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin)
                                 : QPen(Qt::NoPen));
    painter_.setBrush(shape.FillStyle == ShapeFillStyle::Solid
                          ? QBrush(colours_.resolve(shape.FillColor))
                          : QBrush(Qt::NoBrush));
    switch (shape.Shape) {
        case ShapeKind::Rectangle:
            painter_.drawRect(outline);
            break;
        case ShapeKind::RoundedRectangle: {
            const double radius = std::max(shortSide * kCornerRadiusShare - inset, 0.0);
            painter_.drawRoundedRect(outline, radius, radius);
            break;
        }
        case ShapeKind::Oval:
        case ShapeKind::Circle:
            painter_.drawEllipse(outline);
            break;
    }
}

void ControlPainter::draw(const LineControl& line) {
    painter_.setPen(QPen(colours_.resolve(line.BorderColor), std::max(line.BorderWidth, 1),
                         Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter_.drawLine(pixelPoint(line.X1, line.Y1), pixelPoint(line.X2, line.Y2));
}

// The text starts at the top and wraps at word boundaries within the width;
// what does not fit is cut off at the label's edge.
void ControlPainter::draw(const LabelControl& label) {
    const QRectF box = pixelRect(label.Left, label.Top, label.Width, label.Height);
    painter_.fillRect(box, colours_.resolve(label.BackColor));
    QRectF textBox = box;
    if (label.BorderStyle == LabelBorderStyle::FixedSingle) {
        painter_.setPen(QPen(colours_.resolve(COLOR_WINDOWTEXT), 1));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
        textBox = box.adjusted(1, 1, -1, -1);
    }
    textBox.adjust(kLabelTextMargin, 0, -kLabelTextMargin, 0);

    const int alignment =
        (label.Alignment == LabelAlignment::Center ? Qt::AlignHCenter : Qt::AlignLeft) |
        Qt::AlignTop | Qt::TextWordWrap;
    painter_.setFont(label.Font ? fontFrom(*label.Font) : defaultFont_);
    painter_.setPen(colours_.resolve(label.ForeColor));
    painter_.drawText(textBox, alignment, QString::fromStdString(label.Caption));
}

// The picture keeps its natural size; the control's frame only clips it.
void ControlPainter::draw(const PictureControl& picture) {
    const QRectF frame = pixelRect(picture.Left, picture.Top, picture.Width, picture.Height);
    const QRectF image(frame.topLeft(), QSizeF(picture.picture.widthPx, picture.picture.heightPx));
    painter_.fillRect(image.intersected(frame), colours_.resolve(picture.picture.colour));
}

}  // namespace vorl
