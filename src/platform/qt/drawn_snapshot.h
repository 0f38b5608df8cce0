#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/colour.h"
#include "platform/controls.h"

namespace vorl {

// What a frame of a set of controls would show, cheap to take and compare,
// so the view repaints only when it would draw something else. Hidden
// controls count only as hidden. Every colour, style, size, text and font
// counts exactly; positions and sizes count on a grid of an eighth of a
// device pixel. A shape creeping by less than that would only shift the
// blend of its antialiased edge by under an eighth of the way between two
// colours, so it is redrawn once it has crept that far, not on every tick.
class DrawnSnapshot {
  public:
    static constexpr double kGridPerDevicePixel = 8.0;

    // Replaces the snapshot with one of these controls drawn over backColor
    // at the given device pixel ratio; keeps its storage for the next time.
    void take(OleColor backColor, const std::vector<ControlRef>& controls, double devicePixelRatio);

    friend bool operator==(const DrawnSnapshot& a, const DrawnSnapshot& b) = default;

  private:
    void add(const ShapeControl& shape);
    void add(const LineControl& line);
    void add(const LabelControl& label);
    void add(const PictureControl& picture);
    void addNumber(std::int64_t n) { numbers_.push_back(n); }
    void addLength(float twips);

    double gridPerTwip_ = 0;
    std::vector<std::int64_t> numbers_;
    std::vector<std::string> texts_;
    std::size_t textCount_ = 0;
};

}  // namespace vorl
