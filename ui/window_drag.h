// Moving a borderless window by dragging its background picture with the
// left button. Positions are the pointer's places on the screen (where the
// button went down, where the pointer is now), never the event's window
// coordinates, which move with the window; the window's own place is asked
// of the window system.
#pragma once

#include <QPoint>

class QWidget;

// Whether the display server alone places windows (Wayland): a program can
// neither move its window nor learn where it stands on the screen.
bool CompositorPlacesWindows();

class WindowDrag {
public:
    // The handlers of the background picture. `pressedAt` is where the
    // pointer stood on the screen when the button went down: a busy program
    // may see the press only after the pointer has moved on.
    void MouseDown(QWidget* window, Qt::MouseButton button, QPoint pressedAt);
    void MouseMove(QWidget* window);
    void MouseUp();

    bool Dragging() const { return dragging_; }

private:
    bool dragging_ = false;
    QPoint startCursor_;
    int startLeft_ = 0;
    int startTop_ = 0;
};
