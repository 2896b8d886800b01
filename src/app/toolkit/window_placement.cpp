#include "app/toolkit/window_placement.h"

#include <algorithm>

namespace tavex {

namespace {

int Clamped(int value, int low, int high)
{
    return std::max(low, std::min(value, high));
}

} // namespace

QRect PlacedGeometry(const QRect& owner, QSize size, const QMargins& frame, const QRect& available,
                     Placement placement, int scrollBar)
{
    const QSize room = available.size().shrunkBy(frame).expandedTo(QSize(0, 0));
    // A scroll bar across the content takes height from it, one down it width.
    const bool across = size.width() > room.width()
                     || (size.height() > room.height() && size.width() + scrollBar > room.width());
    const bool down = size.height() > room.height() || (across && size.height() + scrollBar > room.height());
    if (down)
        size.rwidth() += scrollBar;
    if (across)
        size.rheight() += scrollBar;
    QRect outer(QPoint(), size.boundedTo(room).grownBy(frame));
    outer.moveCenter(owner.isEmpty() ? available.center() : owner.center());
    if (placement == Placement::Beside && !owner.isEmpty()) {
        const int right = available.right() - owner.right();
        const int left = owner.left() - available.left();
        outer.moveTop(owner.top());
        // The side with room for it, else the one with more room, where it hides the least of the owner.
        if (outer.width() <= right || (outer.width() > left && right >= left))
            outer.moveLeft(owner.right() + 1);
        else
            outer.moveRight(owner.left() - 1);
    }
    outer.moveLeft(Clamped(outer.left(), available.left(), available.right() + 1 - outer.width()));
    outer.moveTop(Clamped(outer.top(), available.top(), available.bottom() + 1 - outer.height()));
    return outer.marginsRemoved(frame);
}

} // namespace tavex
