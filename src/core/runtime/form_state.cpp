// SPDX-License-Identifier: MIT
#include "core/runtime/form_state.h"

#include <algorithm>
#include <cstdint>

namespace vorl {
namespace {

std::int32_t bits(float f) {
    std::int32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

}  // namespace

void FormState::add(std::string_view text) {
    add(text.size());
    std::memcpy(reserve(text.size()), text.data(), text.size());
}

void FormState::grow(std::size_t n) {
    bytes_.resize(std::max(2 * bytes_.size(), size_ + n));
}

// The numbers of the shapes and lines go out as records of four-byte fields,
// which have no padding to leave undefined.
void FormState::add(const ShapeControl& shape) {
    add(shape.Name);
    const std::int32_t record[] = {shape.Index,
                                   static_cast<std::int32_t>(shape.Shape),
                                   bits(shape.Left),
                                   bits(shape.Top),
                                   bits(shape.Width),
                                   bits(shape.Height),
                                   static_cast<std::int32_t>(shape.BorderColor),
                                   shape.BorderWidth,
                                   static_cast<std::int32_t>(shape.BorderStyle),
                                   static_cast<std::int32_t>(shape.FillColor),
                                   static_cast<std::int32_t>(shape.FillStyle),
                                   static_cast<std::int32_t>(shape.BackColor),
                                   shape.Visible};
    addRecord(record);
}

void FormState::add(const LineControl& line) {
    add(line.Name);
    const std::int32_t record[] = {line.Index,       bits(line.X1),
                                   bits(line.Y1),    bits(line.X2),
                                   bits(line.Y2),    static_cast<std::int32_t>(line.BorderColor),
                                   line.BorderWidth, line.Visible};
    addRecord(record);
}

void FormState::add(const LabelControl& label) {
    add(label.Name);
    add(label.Index);
    add(label.Caption);
    add(label.Left);
    add(label.Top);
    add(label.Width);
    add(label.Height);
    add(label.BorderStyle);
    add(label.Alignment);
    add(label.BackColor);
    add(label.ForeColor);
    add(label.Font.has_value());
    if (label.Font) {
        const FontSpec& font = *label.Font;
        add(font.Name);
        add(font.Size);
        add(font.Weight);
        add(font.Italic);
        add(font.Underline);
        add(font.Strikethrough);
        add(font.Charset);
    }
    add(label.Visible);
}

void FormState::add(const PictureControl& picture) {
    add(picture.Name);
    add(picture.Index);
    add(picture.Left);
    add(picture.Top);
    add(picture.Width);
    add(picture.Height);
    add(picture.picture.widthPx);
    add(picture.picture.heightPx);
    add(picture.picture.colour);
    add(picture.Visible);
}

void FormState::add(const TimerControl& timer) {
    add(timer.Name);
    add(timer.Interval);
    add(timer.Enabled);
}

void FormState::add(const MenuItem& item) {
    add(item.Name);
    add(item.Caption);
    add(item.Items.size());
    for (const MenuItem& child : item.Items) {
        add(child);
    }
}

}  // namespace vorl
