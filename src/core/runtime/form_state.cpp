// SPDX-License-Identifier: MIT
#include "core/runtime/form_state.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <limits>

namespace vorl {
namespace {

std::int32_t bits(float f) {
    std::int32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

}  // namespace

// The length as 32 bits on every target, so that the bytes do not depend on
// the width of size_t.
void FormState::add(std::string_view text) {
    assert(text.size() <= std::numeric_limits<std::uint32_t>::max());
    add(static_cast<std::uint32_t>(text.size()));
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
    add(static_cast<std::uint32_t>(item.Items.size()));
    for (const MenuItem& child : item.Items) {
        add(child);
    }
}

const char* FormStateReader::take(std::size_t n) {
    if (!ok()) {
        return nullptr;
    }
    if (rest_.size() < n) {
        fail("the state is cut short");
        return nullptr;
    }
    const char* bytes = rest_.data();
    rest_.remove_prefix(n);
    return bytes;
}

bool FormStateReader::fail(std::string reason) {
    if (ok()) {
        error_ = std::move(reason);
    }
    return false;
}

bool FormStateReader::read(bool& flag) {
    std::uint8_t byte = 0;
    if (!read(byte)) {
        return false;
    }
    if (byte > 1) {
        return fail("a flag that is neither 0 nor 1");
    }
    flag = byte == 1;
    return true;
}

bool FormStateReader::read(std::string& text) {
    std::uint32_t length = 0;
    if (!read(length)) {
        return false;
    }
    const char* bytes = take(length);
    if (bytes == nullptr) {
        return false;
    }
    text.assign(bytes, length);
    return true;
}

bool FormStateReader::readTwips(float& value) {
    return read(value) && (std::isfinite(value) || fail("a position that is not a finite number"));
}

bool FormStateReader::readFlag32(bool& flag) {
    std::int32_t v = 0;
    if (!read(v)) {
        return false;
    }
    flag = v == 1;
    return v == 0 || v == 1 || fail("a flag that is neither 0 nor 1");
}

template <typename Enum>
bool FormStateReader::readChoice(Enum& value, Enum last) {
    std::int32_t v = 0;
    if (!read(v)) {
        return false;
    }
    if (v < 0 || v > static_cast<std::int32_t>(last)) {
        return fail("a style out of range");
    }
    value = static_cast<Enum>(v);
    return true;
}

bool FormStateReader::readName(const std::string& name, int index) {
    std::string savedName;
    std::int32_t savedIndex = 0;
    if (!read(savedName)) {
        return false;
    }
    if (savedName != name) {
        return fail("a control this form does not have where " + name + " should be");
    }
    return read(savedIndex) && (savedIndex == index || fail("another index of " + name));
}

bool FormStateReader::read(ShapeControl& shape) {
    return readName(shape.Name, shape.Index) && readChoice(shape.Shape, ShapeKind::Circle) &&
           readTwips(shape.Left) && readTwips(shape.Top) && readTwips(shape.Width) &&
           readTwips(shape.Height) && read(shape.BorderColor) && read(shape.BorderWidth) &&
           readChoice(shape.BorderStyle, ShapeBorderStyle::InsideSolid) && read(shape.FillColor) &&
           readChoice(shape.FillStyle, ShapeFillStyle::Transparent) && read(shape.BackColor) &&
           readFlag32(shape.Visible);
}

bool FormStateReader::read(LineControl& line) {
    return readName(line.Name, line.Index) && readTwips(line.X1) && readTwips(line.Y1) &&
           readTwips(line.X2) && readTwips(line.Y2) && read(line.BorderColor) &&
           read(line.BorderWidth) && readFlag32(line.Visible);
}

// Written field by field: four bytes for a number, one for each flag.
bool FormStateReader::read(LabelControl& label) {
    bool hasFont = false;
    if (!(readName(label.Name, label.Index) && read(label.Caption) && readTwips(label.Left) &&
          readTwips(label.Top) && readTwips(label.Width) && readTwips(label.Height) &&
          readChoice(label.BorderStyle, LabelBorderStyle::FixedSingle) &&
          readChoice(label.Alignment, LabelAlignment::Center) && read(label.BackColor) &&
          read(label.ForeColor) && read(hasFont))) {
        return false;
    }
    label.Font.reset();
    if (hasFont) {
        FontSpec& font = label.Font.emplace();
        if (!(read(font.Name) && read(font.Size) && read(font.Weight) && read(font.Italic) &&
              read(font.Underline) && read(font.Strikethrough) && read(font.Charset))) {
            return false;
        }
        if (!(std::isfinite(font.Size) && font.Size > 0)) {
            return fail("a font size that is not a positive number");
        }
    }
    return read(label.Visible);
}

bool FormStateReader::read(PictureControl& picture) {
    return readName(picture.Name, picture.Index) && readTwips(picture.Left) &&
           readTwips(picture.Top) && readTwips(picture.Width) && readTwips(picture.Height) &&
           read(picture.picture.widthPx) && read(picture.picture.heightPx) &&
           read(picture.picture.colour) && read(picture.Visible);
}

bool FormStateReader::read(TimerControl& timer) {
    std::string name;
    if (!read(name)) {
        return false;
    }
    if (name != timer.Name) {
        return fail("a timer this form does not have where " + timer.Name + " should be");
    }
    return read(timer.Interval) && read(timer.Enabled);
}

bool FormStateReader::read(MenuItem& item) {
    std::string name;
    std::uint32_t count = 0;
    if (!read(name)) {
        return false;
    }
    if (name != item.Name) {
        return fail("a menu item this form does not have where " + item.Name + " should be");
    }
    if (!(read(item.Caption) && read(count))) {
        return false;
    }
    if (count != item.Items.size()) {
        return fail("another number of items under " + item.Name);
    }
    for (MenuItem& child : item.Items) {
        if (!read(child)) {
            return false;
        }
    }
    return true;
}

}  // namespace vorl
