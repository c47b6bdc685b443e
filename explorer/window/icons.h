// Small black icons drawn by the program itself: the arrows of the grid
// shift cross and of the browsers, and the centring mark.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace quorvane {

// Icons of Mezzo(0..4): arrow right, down, left, up, and the centring mark.
QPixmap mezzoIcon(int index);
QPixmap arrowIcon(Qt::ArrowType direction);
// A black icon for a button, drawn in the grey of disabled captions while
// the button is disabled.
QIcon buttonIcon(const QPixmap& black);

} // namespace quorvane
