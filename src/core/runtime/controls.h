// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/runtime/colour.h"

namespace vorl {

// Lightweight controls as plain data. Positions and sizes are twips held as
// 32-bit floats; border widths are pixels. Name and Index identify a control
// (Index is -1 outside a control array).

enum class ShapeKind { Rectangle, RoundedRectangle, Oval, Circle };
// Solid centres the pen on the edge; InsideSolid keeps it wholly inside.
enum class ShapeBorderStyle { Solid, InsideSolid };
enum class ShapeFillStyle { Solid, Transparent };

struct ShapeControl {
    std::string Name;
    int Index = -1;
    ShapeKind Shape = ShapeKind::Rectangle;
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    Colour BorderColor = COLOR_WINDOWTEXT;
    int BorderWidth = 1;
    ShapeBorderStyle BorderStyle = ShapeBorderStyle::Solid;
    Colour FillColor = 0x000000;
    ShapeFillStyle FillStyle = ShapeFillStyle::Transparent;
    Colour BackColor = COLOR_WINDOW;  // painted only for an opaque background: never here
    bool Visible = true;
};

struct LineControl {
    std::string Name;
    int Index = -1;
    float X1 = 0;
    float Y1 = 0;
    float X2 = 0;
    float Y2 = 0;
    Colour BorderColor = COLOR_WINDOWTEXT;
    int BorderWidth = 1;
    bool Visible = true;
};

struct FontSpec {
    std::string Name;
    double Size = 8.25;  // points
    int Weight = 400;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    int Charset = 0;  // ANSI

    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

enum class LabelBorderStyle { None, FixedSingle };
enum class LabelAlignment { LeftJustify, Center };

// Text wraps at word boundaries within Width.
struct LabelControl {
    std::string Name;
    int Index = -1;
    std::string Caption;
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    LabelBorderStyle BorderStyle = LabelBorderStyle::None;
    LabelAlignment Alignment = LabelAlignment::LeftJustify;
    Colour BackColor = COLOR_BTNFACE;
    Colour ForeColor = COLOR_BTNTEXT;
    std::optional<FontSpec> Font;  // empty: the window's default font
    bool Visible = true;
};

// A picture of one uniform colour, widthPx by heightPx pixels.
struct Picture {
    int widthPx = 0;
    int heightPx = 0;
    Colour colour = 0x000000;
};

// Shows its picture at natural size from (Left, Top), clipped to Width x Height.
struct PictureControl {
    std::string Name;
    int Index = -1;
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    Picture picture;
    bool Visible = true;
};

struct TimerControl {
    std::string Name;
    int Interval = 0;  // milliseconds asked for
    bool Enabled = true;
};

// One entry of the menu tree; an ampersand marks the access key.
struct MenuItem {
    std::string Name;
    std::string Caption;
    std::vector<MenuItem> Items;
};

using ControlRef = std::variant<const ShapeControl*, const LineControl*, const LabelControl*,
                                const PictureControl*>;

}  // namespace vorl
