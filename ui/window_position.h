// Where the windows really stand, and where they are placed. A window
// manager that reparents windows (as desktop ones do) moves them without the
// toolkit always noticing, so the position that counts is asked of the
// window system; the rectangle arithmetic is in app/window_placement.
#pragma once

#include <QPoint>
#include <QSize>

#include <vector>

#include "app/window_placement.h"

class QWidget;

// The top-left corner of a top-level window on the screen, as the window
// system has it; the toolkit's own idea where the window system cannot be
// asked (a window not yet made, a display server other than X11).
QPoint ActualWindowPosition(const QWidget* window);

// The screens with their available areas.
std::vector<ScreenArea> ScreenAreas();

// Centres a modal window over its owner and keeps it wholly on the owner's
// screen, so its buttons can always be reached.
void PlaceOverOwner(QWidget* modal, const QWidget* owner);

// Where a window of `size` saved at `saved` opens: there, unless no part of
// it could be reached on any screen.
QPoint StartPosition(QPoint saved, QSize size);
