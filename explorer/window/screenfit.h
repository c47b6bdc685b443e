// The main window's fixed layout on a page that scrolls: on a screen that
// holds the layout the window is exactly the layout, without scroll bars; on
// a smaller one (a high desktop scale makes a large screen small) the window
// takes the room there is and scrolls, so that every control can be reached.
#pragma once

#include <QSize>

class QWidget;

namespace quorvane {

// The size of a window that shows a layout in room (the screen's available
// area less the window's frame), bar being the width of a scroll bar: the
// layout itself where it fits; otherwise no more than the room, with a bar
// on each side that lacks room.
QSize windowSize(QSize layout, QSize room, int bar);

// Fills window with a scroll area around a page of the layout's size, keeps
// the window sized to the screen it is on, and returns the page, on which
// the controls go.
QWidget* screenFittedPage(QWidget* window, QSize layout);

} // namespace quorvane
