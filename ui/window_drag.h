// DragWindow: moving a borderless window by dragging its background picture
// `Image1` with the left button. Positions are the pointer's places on the
// screen (where the button went down, where the pointer is now), never the
// event's window coordinates, which move with the window; the window's own
// place is asked of the window system.
//
// A window that is dragged so derives from DragWindow as well as from its Qt
// class, and connects its picture once it has made it:
//
//   class Tfrm_X : public QWidget, protected DragWindow {
//       Tfrm_X() : DragWindow(this) { ...; ConnectDragPicture(Image1); }
//   };
//
// Image1MouseDown, Image1MouseMove and Image1MouseUp are then its handlers,
// and it keeps its own drag state.
#pragma once

#include <QPoint>

class PictureControl;
class QWidget;

// Whether the display server alone places windows (Wayland): a program can
// neither move its window nor learn where it stands on the screen.
bool CompositorPlacesWindows();

class DragWindow {
protected:
    explicit DragWindow(QWidget* window) : window_(window) {}

    // The picture's press, moves and release run the three handlers.
    void ConnectDragPicture(PictureControl* picture);

    // `pressedAt` is where the pointer stood on the screen when the button
    // went down: a busy program may see the press only after the pointer
    // has moved on.
    void Image1MouseDown(Qt::MouseButton button, QPoint pressedAt);
    void Image1MouseMove();
    void Image1MouseUp();

private:
    QWidget* window_;
    bool dragging_ = false;
    QPoint startCursor_;
    int startLeft_ = 0;
    int startTop_ = 0;
};
