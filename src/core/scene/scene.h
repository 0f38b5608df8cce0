// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/numeric/float_rules.h"
#include "core/runtime/colour.h"
#include "core/runtime/controls.h"
#include "core/scene/primitive.h"

namespace vorl {

class Form;

// What a frame of a form shows, as drawing primitives painted in order, each
// over the ones before it. The same scene is painted by every front-end and
// compared between ticks to decide whether a new frame is needed.
class Scene {
  public:
    // Positions and sizes count as changed once they moved by this much, in
    // device pixels. A shape creeping by less would only shift the blend of
    // its antialiased edge by under an eighth of the way between two colours,
    // so it is redrawn once it has crept that far, not on every tick (a
    // control may creep at tiny speeds for ever).
    static constexpr double kSmallestMoveThatCounts = 1.0 / 8.0;

    // Replaces the scene with the client area (clientWidth x clientHeight
    // twips) filled with backColour, then the visible controls in the order
    // given; hidden controls add nothing. devicePixelRatio is the number of
    // device pixels in a logical pixel of the frame this scene is for. Keeps
    // its storage for the next time.
    void build(Colour backColour, float clientWidth, float clientHeight,
               const std::vector<ControlRef>& controls, double devicePixelRatio);
    void build(const Form& form, double devicePixelRatio);

    std::span<const Primitive> primitives() const { return {items_.data(), count_}; }
    double devicePixelRatio() const { return devicePixelRatio_; }

    // True when painting either scene would show the same frame: the same
    // pixel ratio and primitives, colours, styles, texts and fonts exactly,
    // every position and size less than kSmallestMoveThatCounts device pixels
    // apart.
    bool looksLike(const Scene& other) const;

  private:
    friend class ColourHold;  // recolours a built scene
    std::span<Primitive> mutablePrimitives() { return {items_.data(), count_}; }

    // Each sets every field its kind of primitive uses.
    void addRectangle(const Box& outline, double radius, const Pen& pen, const Fill& fill);
    void addEllipse(const Box& outline, const Pen& pen, const Fill& fill);
    void addLine(const Point& from, const Point& to, const Pen& pen);
    void addText(const Box& box, const Fill& fill, TextAlignment alignment, bool wordWrap,
                 const std::string& text, const std::optional<FontSpec>& font);
    Primitive& slot(PrimitiveKind kind);

    void add(const ShapeControl& shape);
    void add(const LineControl& line);
    void add(const LabelControl& label);
    void add(const PictureControl& picture);

    std::vector<Primitive> items_;  // the first count_ are the scene; the rest keep their storage
    std::size_t count_ = 0;
    double devicePixelRatio_ = 1;
};

}  // namespace vorl
