// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/runtime/colour.h"
#include "core/runtime/controls.h"

namespace vorl {

// One drawing step of a scene, in logical pixels (twips / kTwipsPerPixel, not
// rounded: edges fall between pixels and are antialiased). x grows to the
// right, y downward, from the client area's top-left corner. Every geometric
// decision is already made here; a painter only executes the step. Colours
// are stored colours: a system colour code is resolved by the painter (from
// the toolkit's palette, or from CSS in the browser).

struct Box {
    double x = 0;  // left edge, logical pixels
    double y = 0;  // top edge
    double width = 0;
    double height = 0;

    friend bool operator==(const Box&, const Box&) = default;
};

struct Point {
    double x = 0;  // logical pixels
    double y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

// Where the control wanted its border. The outline of a primitive is already
// where a centred stroke gives that border, so a painter strokes on the
// outline either way; the alignment is kept for painters that want it (an
// Inside border's outer edge is the outline grown by half the pen's width).
enum class PenAlignment : std::uint8_t { Centred, Inside };
enum class LineCap : std::uint8_t { Flat, Round };  // canvas: "butt", "round"
enum class LineJoin : std::uint8_t { Miter, Bevel, Round };

// The stroke along a primitive's outline or line, centred on it. A miter join
// is only ever met at right angles here, so any miter limit above 1.42 gives it.
struct Pen {
    bool present = false;  // false: no stroke at all, whatever the other fields say
    Colour colour = 0;
    double width = 0;  // logical pixels, the whole width of the stroke
    PenAlignment alignment = PenAlignment::Centred;
    LineCap cap = LineCap::Flat;
    LineJoin join = LineJoin::Miter;

    friend bool operator==(const Pen&, const Pen&) = default;
};

// The paint inside a closed outline, or the colour of a text's glyphs.
struct Fill {
    bool present = false;  // false: nothing filled, what lies beneath shows through
    Colour colour = 0;

    friend bool operator==(const Fill&, const Fill&) = default;
};

enum class PrimitiveKind : std::uint8_t {
    // The outline `box` with corners of `radius` (0: square corners): fill
    // it, then stroke it.
    RoundedRectangle,
    // The ellipse inscribed in `box`: fill it, then stroke it.
    Ellipse,
    // A straight stroke from `from` to `to` with `pen`; never filled.
    Line,
    // `text` laid out in `box`: the first line at the box's top, each line
    // one line spacing of the font below the last and aligned by
    // `textAlignment` within the box's width. Lines break at line feeds and,
    // when `wordWrap`, between words (a word wider than the box stays whole).
    // Glyphs take the fill's colour; nothing outside `clip` is painted; no pen.
    Text,
};

enum class TextAlignment : std::uint8_t { Left, Centre };

// One step; the fields its kind has no use for are left empty.
struct Primitive {
    PrimitiveKind kind = PrimitiveKind::RoundedRectangle;
    Pen pen;
    Fill fill;
    // Rectangle, ellipse: the outline, where a centred stroke goes and what the
    // fill covers. Text: the layout box. Logical pixels.
    Box box;
    double radius = 0;  // rounded rectangle: corner radius at the outline, logical pixels
    Point from;         // line: its two ends, logical pixels
    Point to;
    Box clip;  // text: nothing of it is painted outside this box
    TextAlignment textAlignment = TextAlignment::Left;
    bool wordWrap = false;
    std::string text;              // text: UTF-8
    std::optional<FontSpec> font;  // text: empty means the front-end's default font
};

}  // namespace vorl
