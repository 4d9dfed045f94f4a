// The keyboard cursor's frame: a ring drawn round one cell of the board,
// above the tiles, that lets every click through to the tile beneath.
//
// The ring lies on the tile's rim and the edges of its neighbours, never on
// the letter or its value, and is drawn as shapes, so it stays sharp on a
// screen of any pixel ratio. A white outer line and a strong blue band read
// on the cream tile, on the orange selected tile and on the dark background
// of an empty cell alike.
//
// It is a focus frame, which assistive technology leaves out of the window's
// controls: the tile it surrounds is what a screen reader finds focused.
#pragma once

#include <QFocusFrame>

class CursorFrame : public QFocusFrame {
    Q_OBJECT
public:
    // How far the ring reaches beyond the cell on each side, and into it.
    static constexpr int kOutside = 3;
    static constexpr int kInside = 2;

    explicit CursorFrame(QWidget* parent);

    // Puts the ring round a cell given by its rectangle in the parent.
    void Surround(const QRect& cell);

protected:
    void paintEvent(QPaintEvent* event) override;
};
