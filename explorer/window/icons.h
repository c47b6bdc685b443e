// Small black icons drawn by the program itself: the arrows of the grid
// shift cross and of the browsers, and the centring mark.
#pragma once

#include <QPixmap>

namespace quorvane {

// Icons of Mezzo(0..4): arrow right, down, left, up, and the centring mark.
QPixmap mezzoIcon(int index);
QPixmap arrowIcon(Qt::ArrowType direction);

} // namespace quorvane
