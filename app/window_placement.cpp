#include "app/window_placement.h"

#include <algorithm>

namespace {

// Width and height of the overlap of two rectangles (zero or less when they
// do not overlap).
std::int64_t OverlapWidth(const PlaceRect& a, const PlaceRect& b)
{
    return std::min(a.Right(), b.Right()) - std::max(a.left, b.left);
}

std::int64_t OverlapHeight(const PlaceRect& a, const PlaceRect& b)
{
    return std::min(a.Bottom(), b.Bottom()) - std::max(a.top, b.top);
}

std::int64_t OverlapArea(const PlaceRect& a, const PlaceRect& b)
{
    return std::max<std::int64_t>(0, OverlapWidth(a, b)) * std::max<std::int64_t>(0, OverlapHeight(a, b));
}

// How far apart two rectangles are along one axis (zero when they meet).
std::int64_t Gap(std::int64_t aStart, std::int64_t aEnd, std::int64_t bStart, std::int64_t bEnd)
{
    if (aEnd <= bStart)
        return bStart - aEnd;
    if (bEnd <= aStart)
        return aStart - bEnd;
    return 0;
}

// Squared distance between two rectangles; kept in floating point, as the
// squares of far-off positions exceed 64 bits.
double DistanceSquared(const PlaceRect& a, const PlaceRect& b)
{
    const auto dx = static_cast<double>(Gap(a.left, a.Right(), b.left, b.Right()));
    const auto dy = static_cast<double>(Gap(a.top, a.Bottom(), b.top, b.Bottom()));
    return dx * dx + dy * dy;
}

// One axis of KeptWithin; `keepEnd` keeps the far edge when the window is the
// larger.
std::int64_t KeptStart(std::int64_t start, std::int64_t size, std::int64_t areaStart, std::int64_t areaSize,
                       bool keepEnd)
{
    if (size > areaSize)
        return keepEnd ? areaStart + areaSize - size : areaStart;
    return std::clamp(start, areaStart, areaStart + areaSize - size);
}

}  // namespace

PlaceRect KeptWithin(const PlaceRect& window, const PlaceRect& area)
{
    PlaceRect kept = window;
    kept.left = KeptStart(window.left, window.width, area.left, area.width, true);
    kept.top = KeptStart(window.top, window.height, area.top, area.height, false);
    return kept;
}

const ScreenArea* ScreenOf(const PlaceRect& window, const std::vector<ScreenArea>& screens)
{
    const ScreenArea* best = nullptr;
    std::int64_t bestOverlap = 0;
    for (const ScreenArea& screen : screens) {
        const std::int64_t overlap = OverlapArea(window, screen.geometry);
        if (overlap > bestOverlap) {
            best = &screen;
            bestOverlap = overlap;
        }
    }
    if (best)
        return best;
    double bestDistance = 0;
    for (const ScreenArea& screen : screens) {
        const double distance = DistanceSquared(window, screen.geometry);
        if (!best || distance < bestDistance) {
            best = &screen;
            bestDistance = distance;
        }
    }
    return best;
}

PlaceRect ModalPlacement(const PlaceRect& owner, std::int64_t width, std::int64_t height,
                         const std::vector<ScreenArea>& screens)
{
    const PlaceRect centred{owner.left + (owner.width - width) / 2, owner.top + (owner.height - height) / 2, width,
                            height};
    const ScreenArea* screen = ScreenOf(owner, screens);
    return screen ? KeptWithin(centred, screen->available) : centred;
}

PlaceRect StartPlacement(const PlaceRect& saved, const std::vector<ScreenArea>& screens)
{
    for (const ScreenArea& screen : screens) {
        if (OverlapWidth(saved, screen.available) >= kReachablePart
            && OverlapHeight(saved, screen.available) >= kReachablePart)
            return saved;
    }
    const ScreenArea* screen = ScreenOf(saved, screens);
    return screen ? KeptWithin(saved, screen->available) : saved;
}
