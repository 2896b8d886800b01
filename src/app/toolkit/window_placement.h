#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

namespace tavex {

// Over its owner, for a window the owner waits for; beside it, for one the
// user works in next to it.
enum class Placement { Centred, Beside };

// Where a window opens: `size` its wanted client size, `frame` what the
// window manager adds around it, `owner` the frame of the window that opened
// it (empty: none, and the window is centred on the screen), `available` the
// screen's room for windows. The result, a client rectangle, lies with its
// frame wholly within `available`, shrunk where the screen is too small and
// then as much wider or taller as the scroll bar that its content needs.
QRect PlacedGeometry(const QRect& owner, QSize size, const QMargins& frame, const QRect& available,
                     Placement placement, int scrollBar);

} // namespace tavex
