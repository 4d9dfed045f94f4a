#include "ui/window_drag.h"

#include <QCursor>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include "ui/window_position.h"

bool CompositorPlacesWindows()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void WindowDrag::MouseDown(QWidget* window, Qt::MouseButton button, QPoint pressedAt)
{
    if (button != Qt::LeftButton)
        return;
    // Wayland does not let a program place its own windows; the compositor
    // moves them when asked to.
    if (CompositorPlacesWindows() && window->windowHandle()) {
        window->windowHandle()->startSystemMove();
        return;
    }
    dragging_ = true;
    startCursor_ = pressedAt;
    // Where the window stands now, as the window system has it.
    const QPoint start = ActualWindowPosition(window);
    startLeft_ = start.x();
    startTop_ = start.y();
}

void WindowDrag::MouseMove(QWidget* window)
{
    if (!dragging_)
        return;
    const QPoint p = QCursor::pos();
    window->move(startLeft_ + p.x() - startCursor_.x(), startTop_ + p.y() - startCursor_.y());
}

void WindowDrag::MouseUp()
{
    dragging_ = false;
}
