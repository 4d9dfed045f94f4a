// Where the windows stand on one or two screens: modal windows centred over
// the main window but always wholly on its screen, and the main window at its
// saved place unless nothing of it could be reached there.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "app/window_placement.h"

void PrintTo(const PlaceRect& r, std::ostream* out)
{
    *out << r.width << "x" << r.height << " at " << r.left << "," << r.top;
}

namespace {

// Two screens side by side; the left one has a 30 pixel panel at its top.
const ScreenArea kLeft{{0, 0, 1024, 768}, {0, 30, 1024, 738}};
const ScreenArea kRight{{1024, 0, 1920, 1080}, {1024, 0, 1920, 1080}};
const std::vector<ScreenArea> kTwoScreens{kLeft, kRight};

PlaceRect Main(std::int64_t left, std::int64_t top)
{
    return {left, top, 670, 480};
}

TEST(WindowPlacement, ModalWindowsAreCentredThenMovedTheLeastDistanceOntoTheMainWindowsScreen)
{
    struct Case {
        const char* what;
        PlaceRect owner;
        PlaceRect expected;  // a 366 x 300 window
    };
    const Case cases[] = {
        {"centred when it fits", Main(100, 100), {252, 190, 366, 300}},
        {"off the left edge", Main(-400, 200), {0, 290, 366, 300}},
        {"under the panel", Main(100, -200), {252, 30, 366, 300}},
        {"past the bottom edge, more on the left screen", Main(500, 600), {652, 468, 366, 300}},
        {"at the corner, more on the right screen", Main(800, 700), {1024, 780, 366, 300}},
        {"mostly on the right screen", Main(2700, 900), {2578, 780, 366, 300}},
        {"straddling, more on the left", Main(600, 100), {658, 190, 366, 300}},
        // The owner's screen counts, not the one its middle is on.
        {"more on the right screen, its middle on the left one", Main(600, 500), {1024, 590, 366, 300}},
        {"on no screen: the nearest, below the right one", Main(3000, 5000), {2578, 780, 366, 300}},
        {"on no screen: the nearest, left of the left one", Main(-9000, 300), {0, 390, 366, 300}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ModalPlacement(c.owner, 366, 300, kTwoScreens), c.expected);
    }
    EXPECT_EQ(ModalPlacement(Main(-400, 200), 366, 300, {}), (PlaceRect{-248, 290, 366, 300})) << "no screens known";
}

TEST(WindowPlacement, AWindowLargerThanTheAreaKeepsItsTopRightCornerInIt)
{
    const PlaceRect small{0, 0, 300, 200};
    EXPECT_EQ(KeptWithin(Main(-50, -50), small), (PlaceRect{-370, 0, 670, 480}));
    EXPECT_EQ(KeptWithin(Main(900, 900), small), (PlaceRect{-370, 0, 670, 480}));
}

TEST(WindowPlacement, TheSavedPlaceIsKeptWheneverAPartOfTheWindowCanBeReached)
{
    struct Case {
        const char* what;
        PlaceRect saved;
        PlaceRect expected;
    };
    const Case cases[] = {
        {"on the screen", Main(10, 10), Main(10, 10)},
        {"500 pixels off the left edge", Main(-500, 10), Main(-500, 10)},
        {"32 x 32 pixels left in the bottom left corner", Main(-638, 736), Main(-638, 736)},
        {"on the right screen, partly off its bottom", Main(2000, 1000), Main(2000, 1000)},
        {"across both screens", Main(700, 400), Main(700, 400)},
        {"31 pixels left at the left edge", Main(-639, 100), Main(0, 100)},
        {"only behind the panel", Main(100, -460), Main(100, 30)},
        {"far beyond the right screen", Main(INT32_MAX, INT32_MAX), Main(2274, 600)},
        {"far beyond the left screen", Main(INT32_MIN, 200), Main(0, 200)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(StartPlacement(c.saved, kTwoScreens), c.expected);
    }
    // The right screen was unplugged: the window comes onto the left one.
    EXPECT_EQ(StartPlacement(Main(2000, 500), {kLeft}), Main(354, 288));
    EXPECT_EQ(StartPlacement(Main(5000, 5000), {}), Main(5000, 5000)) << "no screens known";
}

}  // namespace
