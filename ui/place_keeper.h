// Keeps a fixed-size top-level window where it stands when a window manager
// maximises it or shows it full screen (from its keyboard shortcut, a task
// bar or a window list): the state is undone and the window put back at its
// place. Without this, a window that cannot grow stands in a corner of a
// dark screen, and that corner would be saved as its place.
//
// A window manager may move the window just before or just after it sets
// the state; a move to the corner within a moment of the request is undone
// as well.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QTimer>

class QWidget;

class PlaceKeeper : public QObject {
public:
    explicit PlaceKeeper(QWidget* window);

    // The window has been put at `place` (where it opens).
    void Place(QPoint place);

    // Where the window stands in its normal state: its place now, or the
    // one it is being put back to.
    QPoint NormalPlace() const { return place_; }
    // The window is maximised or full screen (not yet put back).
    bool Enlarged() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Moved();
    void Settle();
    void StateChanged();

    QWidget* window_;
    QPoint place_;
    QPoint placeBefore_;   // the place before the last move
    QElapsedTimer lastMove_;
    QElapsedTimer holding_;  // running while a request's moves are undone
    QTimer settle_;          // runs from a move until the window stands still
};
