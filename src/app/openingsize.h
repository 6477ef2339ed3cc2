#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QStackedWidget;
class QWidget;

// The size and place the main window opens at: as large as its pages ask,
// every table with all its rows and columns in view, within the screen's
// free area less the window's frame, and in the middle of that area.
namespace OpeningSize {

// The client size `window` asks for when each page of `pages` shows its
// whole contents (a scroll area caps what it asks at a few hundred pixels,
// and a table asks the same whatever it holds).
QSize wanted(const QWidget &window, const QStackedWidget &pages);

// The client geometry for a window that asks `wanted` and needs at least
// `least`, on a screen whose free area is `available`, the window system
// adding `frame` around the client area: centred in that area.
QRect placed(const QSize &wanted, const QSize &least, const QRect &available, const QMargins &frame);

} // namespace OpeningSize
