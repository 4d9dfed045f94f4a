// What the game asks of the window that shows it.
//
// The game logic changes its state and tells the view, one call at a time and
// in the order the rules give, what the player must see. The main window
// implements this with real widgets; tests record the calls.
#pragma once

#include <string>

class BoardView {
public:
    virtual ~BoardView() = default;

    // Loads the picture file at `picturePath` into the tile of a visible cell
    // and shows the tile. The file is read every time. Throws AppError
    // ("Cannot open file ...") when the picture cannot be read.
    virtual void ShowTilePicture(int column, int row, const std::string& picturePath) = 0;
    virtual void HideTile(int column, int row) = 0;
    // Slides the tile of a visible cell (rows 25..32) down by one row in 21
    // steps of 2 pixels, each shown at once, then hides it and puts it back.
    // While it slides the tile shows the picture at `picturePath`: the letter
    // that falls, which the tile need not show yet (a letter that came in
    // from the reserve, or one that landed in a cell of the word). When that
    // picture cannot be read the tile slides as it is; the redraw that
    // follows reports the missing picture.
    virtual void SlideTile(int column, int row, const std::string& picturePath) = 0;
    // The word line and the score line; code page 1250 text.
    virtual void SetWordLine(const std::string& text) = 0;
    virtual void SetScoreLine(const std::string& text) = 0;
    // Says a sentence to a screen reader the moment something happens that
    // the board alone does not tell: a word taken, refused or taught; code
    // page 1250 text. Nothing is shown.
    virtual void Announce(const std::string& sentence) = 0;
};
