// SPDX-License-Identifier: MIT
#include "core/scene/scene.h"

#include <cmath>

namespace vorl {
namespace {

// Lengths in logical pixels closer than the tolerance count as the same; a
// NaN matches only a NaN, so that it does not ask for a frame on every tick.
inline bool near(double a, double b, double tolerance) {
    return a == b || std::fabs(a - b) < tolerance || (a != a && b != b);
}

inline bool near(const Point& a, const Point& b, double tolerance) {
    return near(a.x, b.x, tolerance) && near(a.y, b.y, tolerance);
}

inline bool near(const Box& a, const Box& b, double tolerance) {
    return near(a.x, b.x, tolerance) && near(a.y, b.y, tolerance) &&
           near(a.width, b.width, tolerance) && near(a.height, b.height, tolerance);
}

// Only the fields a primitive of its kind uses are compared; the others are
// always left empty.
bool looksLike(const Primitive& a, const Primitive& b, double tolerance) {
    if (a.kind != b.kind || !(a.fill == b.fill) || a.pen.present != b.pen.present ||
        a.pen.colour != b.pen.colour || a.pen.alignment != b.pen.alignment ||
        a.pen.cap != b.pen.cap || a.pen.join != b.pen.join ||
        !near(a.pen.width, b.pen.width, tolerance)) {
        return false;
    }
    switch (a.kind) {
        case PrimitiveKind::RoundedRectangle:
            return near(a.box, b.box, tolerance) && near(a.radius, b.radius, tolerance);
        case PrimitiveKind::Ellipse:
            return near(a.box, b.box, tolerance);
        case PrimitiveKind::Line:
            return near(a.from, b.from, tolerance) && near(a.to, b.to, tolerance);
        case PrimitiveKind::Text:
            return near(a.box, b.box, tolerance) && near(a.clip, b.clip, tolerance) &&
                   a.textAlignment == b.textAlignment && a.wordWrap == b.wordWrap &&
                   a.text == b.text && a.font == b.font;
    }
    return false;
}

}  // namespace

bool Scene::looksLike(const Scene& other) const {
    if (devicePixelRatio_ != other.devicePixelRatio_ || count_ != other.count_) {
        return false;
    }
    const double tolerance = kSmallestMoveThatCounts / devicePixelRatio_;
    for (std::size_t i = 0; i < count_; ++i) {
        if (!vorl::looksLike(items_[i], other.items_[i], tolerance)) {
            return false;
        }
    }
    return true;
}

}  // namespace vorl
