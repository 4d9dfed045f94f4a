#include "ui/place_keeper.h"

#include "ui/window_position.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

constexpr Qt::WindowStates kEnlarged = Qt::WindowMaximized | Qt::WindowFullScreen;
// A move into a screen's corner this close before a request belongs to it.
// A busy machine may deliver the window manager's move and its state change
// far apart.
constexpr qint64 kMoveBeforeMs = 1000;
// How long after a request its moves are undone; at the end the window is
// put back once more in case the window manager's last move came later.
constexpr int kHoldMs = 1500;
// How long the window must stand still before its position counts: the
// toolkit reports a move before the window system has carried it out, and
// the window system's answer is the one that counts.
constexpr int kSettleMs = 150;

bool AtAScreensCorner(QPoint place)
{
    for (const ScreenArea& area : ScreenAreas()) {
        for (const PlaceRect& rect : {area.geometry, area.available}) {
            if (place == QPoint(static_cast<int>(rect.left), static_cast<int>(rect.top)))
                return true;
        }
    }
    return false;
}

}  // namespace

PlaceKeeper::PlaceKeeper(QWidget* window) : QObject(window), window_(window), place_(window->pos())
{
    placeBefore_ = place_;
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &PlaceKeeper::Settle);
    window_->installEventFilter(this);
}

void PlaceKeeper::Place(QPoint place)
{
    place_ = placeBefore_ = place;
    lastMove_.invalidate();
}

bool PlaceKeeper::Enlarged() const
{
    return window_->windowState() & kEnlarged;
}

bool PlaceKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_) {
        if (event->type() == QEvent::Move)
            Moved();
        else if (event->type() == QEvent::WindowStateChange)
            StateChanged();
    }
    return QObject::eventFilter(watched, event);
}

void PlaceKeeper::Moved()
{
    if (holding_.isValid() && holding_.elapsed() < kHoldMs) {
        if (ActualWindowPosition(window_) != place_) {
            const QPoint back = place_;
            QTimer::singleShot(0, window_, [window = window_, back] { window->move(back); });
        }
        return;
    }
    settle_.start();
}

void PlaceKeeper::Settle()
{
    if ((holding_.isValid() && holding_.elapsed() < kHoldMs) || Enlarged() ||
        (window_->windowState() & Qt::WindowMinimized))
        return;
    // The toolkit's own idea of the position can be the window's place
    // inside the window manager's frame (0,0), or a place the window has
    // not reached yet; the window system knows where it really stands.
    const QPoint now = ActualWindowPosition(window_);
    if (now == place_)
        return;
    placeBefore_ = place_;
    place_ = now;
    lastMove_.start();
}

void PlaceKeeper::StateChanged()
{
    const Qt::WindowStates state = window_->windowState();
    if (!(state & kEnlarged))
        return;
    // The window manager may have moved the window to the corner first: a
    // move not yet settled is its, and so is one into a screen's corner
    // just before.
    settle_.stop();
    if (lastMove_.isValid() && lastMove_.elapsed() < kMoveBeforeMs && AtAScreensCorner(place_))
        place_ = placeBefore_;
    holding_.start();
    window_->setWindowState(state & ~kEnlarged);
    window_->move(place_);
    QTimer::singleShot(kHoldMs, this, [this] {
        if (!Enlarged() && ActualWindowPosition(window_) != place_)
            window_->move(place_);
    });
}
