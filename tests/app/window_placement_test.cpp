#include "app/toolkit/window_placement.h"

#include <gtest/gtest.h>

#include <ostream>

QT_BEGIN_NAMESPACE
void PrintTo(const QRect& r, std::ostream* out)
{
    *out << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}
QT_END_NAMESPACE

namespace tavex {
namespace {

TEST(PlacedGeometry, OverOrBesideTheOwnerWhollyOnItsScreenAndNoLargerThanIt)
{
    const QRect screen(0, 0, 1400, 900);
    const QMargins none, openbox(1, 20, 1, 3);
    struct Case { const char* what; QRect owner; QSize size; QMargins frame; QRect available; Placement placement; QRect placed; };
    const Case cases[] = {
        {"centred over its owner, the frame counted", {100, 100, 800, 600}, {400, 300}, openbox, screen,
         Placement::Centred, {300, 258, 400, 300}},
        {"beside: right of the owner, tops aligned", {100, 100, 600, 400}, {300, 200}, none, screen,
         Placement::Beside, {700, 100, 300, 200}},
        {"beside an owner at the right edge: left of it", {900, 100, 450, 400}, {300, 200}, none, screen,
         Placement::Beside, {600, 100, 300, 200}},
        {"room on neither side: the wider side, at the screen's edge", {250, 100, 800, 400}, {500, 200}, none,
         screen, Placement::Beside, {900, 100, 500, 200}},
        {"owner partly off the bottom left corner: pushed onto the screen", {-200, 700, 400, 300}, {300, 200}, none,
         screen, Placement::Centred, {0, 700, 300, 200}},
        {"taller than the screen under a top panel: as tall as the room, a scroll bar wider", {200, 100, 800, 600},
         {500, 1200}, openbox, {0, 30, 1400, 870}, Placement::Centred, {342, 50, 516, 847}},
        {"small screen, wider and taller: the whole screen", {0, 0, 640, 480}, {800, 600}, none, {0, 0, 640, 480},
         Placement::Beside, {0, 0, 640, 480}},
        {"no owner: centred on a screen right of another", {}, {400, 300}, none, {1920, 0, 1280, 1024},
         Placement::Beside, {2360, 362, 400, 300}},
        {"owner on the second screen: on that screen, not the first", {2800, 100, 400, 300}, {300, 200}, none,
         {1920, 0, 1280, 1024}, Placement::Beside, {2500, 100, 300, 200}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlacedGeometry(c.owner, c.size, c.frame, c.available, c.placement, 16), c.placed) << c.what;
}

} // namespace
} // namespace tavex
