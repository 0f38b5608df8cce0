#include "platform/qt/drawn_snapshot.h"

#include <bit>
#include <variant>

#include "platform/form.h"
#include "platform/rounding.h"

namespace vorl {
namespace {

// Tags keep a control of one kind from matching one of another.
enum Tag : std::int64_t { kHidden = 1, kShape, kLine, kLabel, kPicture, kFont, kNoFont };

}  // namespace

void DrawnSnapshot::take(OleColor backColor, const std::vector<ControlRef>& controls,
                         double devicePixelRatio) {
    gridPerTwip_ = devicePixelRatio * kGridPerDevicePixel / kTwipsPerPixel;
    numbers_.clear();
    textCount_ = 0;
    addNumber(backColor);
    addNumber(std::bit_cast<std::int64_t>(devicePixelRatio));
    for (const ControlRef& ref : controls) {
        std::visit(
            [this](const auto* control) {
                if (control->Visible) {
                    add(*control);
                } else {
                    addNumber(kHidden);
                }
            },
            ref);
    }
    // Texts are overwritten in place, so their buffers are reused.
    texts_.resize(textCount_);
}

// The nearest grid step, kept as the bits of a double so that infinities and
// NaN compare like any other value; adding zero makes -0 and +0 the same.
void DrawnSnapshot::addLength(float twips) {
    const double steps = roundHalfEven(static_cast<double>(twips) * gridPerTwip_) + 0.0;
    addNumber(std::bit_cast<std::int64_t>(steps));
}

void DrawnSnapshot::add(const ShapeControl& s) {
    addNumber(kShape);
    addNumber(static_cast<std::int64_t>(s.Shape));
    addLength(s.Left);
    addLength(s.Top);
    addLength(s.Width);
    addLength(s.Height);
    addNumber(s.BorderColor);
    addNumber(s.BorderWidth);
    addNumber(static_cast<std::int64_t>(s.BorderStyle));
    addNumber(s.FillColor);
    addNumber(static_cast<std::int64_t>(s.FillStyle));
}

void DrawnSnapshot::add(const LineControl& l) {
    addNumber(kLine);
    addLength(l.X1);
    addLength(l.Y1);
    addLength(l.X2);
    addLength(l.Y2);
    addNumber(l.BorderColor);
    addNumber(l.BorderWidth);
}

void DrawnSnapshot::add(const LabelControl& l) {
    addNumber(kLabel);
    addLength(l.Left);
    addLength(l.Top);
    addLength(l.Width);
    addLength(l.Height);
    addNumber(static_cast<std::int64_t>(l.BorderStyle));
    addNumber(static_cast<std::int64_t>(l.Alignment));
    addNumber(l.BackColor);
    addNumber(l.ForeColor);
    auto addText = [this](const std::string& text) {
        if (textCount_ == texts_.size()) {
            texts_.push_back(text);
        } else {
            texts_[textCount_] = text;
        }
        ++textCount_;
    };
    addText(l.Caption);
    if (!l.Font) {
        addNumber(kNoFont);
        return;
    }
    const FontSpec& f = *l.Font;
    addNumber(kFont);
    addText(f.Name);
    addNumber(std::bit_cast<std::int64_t>(f.Size));
    addNumber(f.Weight);
    addNumber((f.Italic ? 1 : 0) | (f.Underline ? 2 : 0) | (f.Strikethrough ? 4 : 0));
    addNumber(f.Charset);
}

void DrawnSnapshot::add(const PictureControl& p) {
    addNumber(kPicture);
    addLength(p.Left);
    addLength(p.Top);
    addLength(p.Width);
    addLength(p.Height);
    addNumber(p.picture.widthPx);
    addNumber(p.picture.heightPx);
    addNumber(p.picture.colour);
}

}  // namespace vorl
