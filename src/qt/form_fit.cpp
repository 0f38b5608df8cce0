// SPDX-License-Identifier: MIT
#include "qt/form_fit.h"

#include <QtGlobal>

#include "core/runtime/form.h"

namespace vorl {

FormFit::FormFit(QSize form, QSize view) {
    Q_ASSERT(!form.isEmpty() && !view.isEmpty());
    // The width sets the scale when view.w / form.w <= view.h / form.h; the
    // products compare the two ratios without rounding either.
    const qint64 byWidth = qint64{view.width()} * form.height();
    const qint64 byHeight = qint64{view.height()} * form.width();
    if (byWidth <= byHeight) {
        formSpan_ = form.width();
        viewSpan_ = view.width();
        origin_ = QPoint(0, static_cast<int>((byHeight - byWidth) / (2 * qint64{form.width()})));
    } else {
        formSpan_ = form.height();
        viewSpan_ = view.height();
        origin_ = QPoint(static_cast<int>((byWidth - byHeight) / (2 * qint64{form.height()})), 0);
    }
}

float FormFit::twipsX(double viewX) const {
    return twips(viewX - origin_.x());
}

float FormFit::twipsY(double viewY) const {
    return twips(viewY - origin_.y());
}

// At any other scale: offset * (twips per pixel * formSpan_) is exact in a
// double for the positions a window system reports at a whole device pixel
// ratio (multiples of 1/65536, a few thousand pixels at most), so the
// quotient is the only rounding before the float. No such offset gives a
// quotient close enough to a float's halfway point for that rounding to pick
// the wrong float: the float is the one nearest the true position.
float FormFit::twips(double offset) const {
    if (viewSpan_ == formSpan_) {
        return twipsFromPixels(offset);
    }
    return static_cast<float>(offset * (static_cast<double>(kTwipsPerPixel) * formSpan_) /
                              viewSpan_);
}

QSize FormFit::largestWithin(QSize form, QSize room) {
    room = room.expandedTo(QSize(1, 1));
    if (form.width() <= room.width() && form.height() <= room.height()) {
        return form;
    }
    const qint64 byWidth = qint64{room.width()} * form.height();
    const qint64 byHeight = qint64{room.height()} * form.width();
    if (byWidth <= byHeight) {
        return QSize(room.width(), static_cast<int>(byWidth / form.width()));
    }
    return QSize(static_cast<int>(byHeight / form.height()), room.height());
}

}  // namespace vorl
