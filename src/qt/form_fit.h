// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>
#include <QSize>

namespace vorl {

// Where the form's client area sits in a view of any size: scaled uniformly to
// the largest size the view holds, centred. The scale is a ratio of whole
// numbers, the view's width over the form's or its height over the form's,
// and the form's corner lies on a whole logical pixel, so a pointer position
// goes back to twips with a single rounding before the 32-bit float.
class FormFit {
  public:
    // Both sizes in logical pixels; neither may be empty.
    FormFit(QSize form, QSize view);

    double scale() const { return static_cast<double>(viewSpan_) / formSpan_; }
    // The form's top-left corner in the view.
    QPoint origin() const { return origin_; }

    // A view position as the form's handlers take it: twips from the form's
    // corner. At a scale of 1 exactly what twipsFromPixels gives for the
    // position relative to that corner.
    float twipsX(double viewX) const;
    float twipsY(double viewY) const;

    // The view size that shows the form at 1:1 where that fits in `room`, and
    // otherwise at the largest uniform scale that fits, rounded down to whole
    // pixels.
    static QSize largestWithin(QSize form, QSize room);

  private:
    float twips(double offset) const;

    int formSpan_;  // the form's width or height, whichever sets the scale
    int viewSpan_;  // the view's length along that side
    QPoint origin_;
};

}  // namespace vorl
