// Where windows stand on the screens: the main window at start and the modal
// windows centred over it. Plain rectangle arithmetic in screen pixels; the
// window code hands in the screens it sees.
//
// Coordinates are 64-bit so that any saved 32-bit position plus a window's
// size is exact.
#pragma once

#include <cstdint>
#include <vector>

struct PlaceRect {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;

    std::int64_t Right() const { return left + width; }    // one past the last column
    std::int64_t Bottom() const { return top + height; }   // one past the last row
    bool operator==(const PlaceRect&) const = default;
};

struct ScreenArea {
    PlaceRect geometry;   // the whole screen
    PlaceRect available;  // less the desktop's panels and docks
};

// The smallest part of a window, in each direction, that a player can still
// take hold of with the pointer and drag back.
constexpr std::int64_t kReachablePart = 32;

// The window moved the least distance that puts it wholly inside the area.
// A window wider than the area keeps its right edge in it, one taller than
// the area its top edge: the close buttons sit at the top right.
PlaceRect KeptWithin(const PlaceRect& window, const PlaceRect& area);

// The screen a window is on: the one it overlaps most, or the nearest when it
// overlaps none. Null when there are no screens.
const ScreenArea* ScreenOf(const PlaceRect& window, const std::vector<ScreenArea>& screens);

// A modal window of the given size centred over its owner, then moved the
// least distance that keeps it wholly inside the available area of the
// owner's screen.
PlaceRect ModalPlacement(const PlaceRect& owner, std::int64_t width, std::int64_t height,
                         const std::vector<ScreenArea>& screens);

// The main window's place at start: the saved one whenever at least
// kReachablePart × kReachablePart pixels of it lie in a screen's available
// area; otherwise the least move that brings it wholly onto the nearest
// screen, top strip and buttons included.
PlaceRect StartPlacement(const PlaceRect& saved, const std::vector<ScreenArea>& screens);
