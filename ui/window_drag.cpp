#include "ui/window_drag.h"

#include <QCursor>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include "ui/picture_control.h"
#include "ui/window_position.h"

bool CompositorPlacesWindows()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void DragWindow::ConnectDragPicture(PictureControl* picture)
{
    QObject::connect(picture, &PictureControl::MouseDown, window_,
                     [this](Qt::MouseButton button, QPoint at) { Image1MouseDown(button, at); });
    QObject::connect(picture, &PictureControl::MouseMoved, window_, [this] { Image1MouseMove(); });
    QObject::connect(picture, &PictureControl::MouseUp, window_, [this](Qt::MouseButton) { Image1MouseUp(); });
}

void DragWindow::Image1MouseDown(Qt::MouseButton button, QPoint pressedAt)
{
    if (button != Qt::LeftButton)
        return;
    // Wayland does not let a program place its own windows; the compositor
    // moves them when asked to.
    if (CompositorPlacesWindows() && window_->windowHandle()) {
        window_->windowHandle()->startSystemMove();
        return;
    }
    dragging_ = true;
    startCursor_ = pressedAt;
    // Where the window stands now, as the window system has it.
    const QPoint start = ActualWindowPosition(window_);
    startLeft_ = start.x();
    startTop_ = start.y();
}

void DragWindow::Image1MouseMove()
{
    if (!dragging_)
        return;
    const QPoint p = QCursor::pos();
    window_->move(startLeft_ + p.x() - startCursor_.x(), startTop_ + p.y() - startCursor_.y());
}

void DragWindow::Image1MouseUp()
{
    dragging_ = false;
}
