// Moving a borderless window by dragging its background picture with the
// left button. Positions come from the pointer's place on the screen, not
// from the event, whose coordinates move with the window.
#pragma once

#include <QPoint>

class QWidget;

// Whether the display server alone places windows (Wayland): a program can
// neither move its window nor learn where it stands on the screen.
bool CompositorPlacesWindows();

class WindowDrag {
public:
    // The handlers of the background picture.
    void MouseDown(QWidget* window, Qt::MouseButton button);
    void MouseMove(QWidget* window);
    void MouseUp();

    bool Dragging() const { return dragging_; }

private:
    bool dragging_ = false;
    QPoint startCursor_;
    int startLeft_ = 0;
    int startTop_ = 0;
};
