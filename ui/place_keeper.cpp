#include "ui/place_keeper.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

constexpr Qt::WindowStates kEnlarged = Qt::WindowMaximized | Qt::WindowFullScreen;
// A move this close before a request belongs to it.
constexpr qint64 kMoveBeforeMs = 300;
// How long after a request its moves are undone.
constexpr qint64 kHoldMs = 500;

}  // namespace

PlaceKeeper::PlaceKeeper(QWidget* window) : QObject(window), window_(window), place_(window->pos())
{
    placeBefore_ = place_;
    window_->installEventFilter(this);
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
    const QPoint now = window_->pos();
    if (holding_.isValid() && holding_.elapsed() < kHoldMs) {
        if (now != place_) {
            const QPoint back = place_;
            QTimer::singleShot(0, window_, [window = window_, back] { window->move(back); });
        }
        return;
    }
    if (Enlarged() || (window_->windowState() & Qt::WindowMinimized) || now == place_)
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
    // The window manager may have moved the window to the corner first.
    if (lastMove_.isValid() && lastMove_.elapsed() < kMoveBeforeMs)
        place_ = placeBefore_;
    holding_.start();
    window_->setWindowState(state & ~kEnlarged);
    window_->move(place_);
}
