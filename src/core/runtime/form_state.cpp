// SPDX-License-Identifier: MIT
#include "core/runtime/form_state.h"

namespace vorl {

void FormState::add(std::string_view text) {
    add(text.size());
    bytes_.append(text);
}

void FormState::add(const ShapeControl& shape) {
    add(shape.Name);
    add(shape.Index);
    add(shape.Shape);
    add(shape.Left);
    add(shape.Top);
    add(shape.Width);
    add(shape.Height);
    add(shape.BorderColor);
    add(shape.BorderWidth);
    add(shape.BorderStyle);
    add(shape.FillColor);
    add(shape.FillStyle);
    add(shape.BackColor);
    add(shape.Visible);
}

void FormState::add(const LineControl& line) {
    add(line.Name);
    add(line.Index);
    add(line.X1);
    add(line.Y1);
    add(line.X2);
    add(line.Y2);
    add(line.BorderColor);
    add(line.BorderWidth);
    add(line.Visible);
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
