// The picture store: card pictures 1..55 (52 faces, two jokers, the back), compiled in.
#pragma once

#include <QPixmap>

#include "Cards.h"

namespace ImageList1 {

// Picture n, 1 <= n <= 55; a null pixmap for any other number.  On a high-DPI screen the
// double-size variant is used, with its device pixel ratio set, so the logical size is the same.
QPixmap picture(int n, qreal devicePixelRatio = 1.0);

}  // namespace ImageList1
