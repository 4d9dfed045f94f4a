// The words window: this game's words with their points, their count and
// total, the game's best word, the best word of all time and, once the game
// has ended, the best words still on the board. A small borderless picture
// window like the top-ten window: dragged by its picture, closed by its
// close button or Esc, shown modally centred over the main window and kept
// wholly on its screen, a new one for each showing.
#pragma once

#include <QDialog>
#include <QPointer>

#include <vector>

#include "ui/window_drag.h"

class QLabel;
class QScrollArea;
class PictureControl;
class TPNGButton;
class Game;
struct WordsReport;

class Tfrm_Szavak : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 440;
    static constexpr int kHeight = 380;
    static constexpr int kRowHeight = 18;
    static constexpr int kLeftRows = 10;

    // `mainWindow` is the window it is placed over (may be null).
    explicit Tfrm_Szavak(QWidget* mainWindow);

    // Shows a report: rows w1.., p1.. for the words taken (word and points,
    // in the scrolling list), m1..m10, mp1..mp10 for the words left. A
    // screen reader reads a whole row at its word.
    void Fill(const WordsReport& report);

    PictureControl* Image1 = nullptr;
    TPNGButton* PNGButton8 = nullptr;
    QLabel* Label1 = nullptr;  // heading of this game's words
    QScrollArea* ScrollBox1 = nullptr;
    QLabel* Label2 = nullptr;  // count and total
    QLabel* Label3 = nullptr;  // the game's best word
    QLabel* Label4 = nullptr;  // heading of the words left on the board
    QLabel* Label5 = nullptr;  // note in place of the words left
    QLabel* Label6 = nullptr;  // the best word of all time

    // The rows of this game's words (word, points), and of the words left.
    const std::vector<std::pair<QLabel*, QLabel*>>& TakenRows() const { return takenRows_; }
    QLabel* LeftWord(int row) const { return leftWords_[static_cast<std::size_t>(row - 1)]; }
    QLabel* LeftPoints(int row) const { return leftPoints_[static_cast<std::size_t>(row - 1)]; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void CentreOverMainWindow();
    void SpeedButton1Click();

    QPointer<QWidget> mainWindow_;
    WindowDrag drag_;
    QWidget* takenBox_ = nullptr;
    std::vector<std::pair<QLabel*, QLabel*>> takenRows_;
    std::vector<QLabel*> leftWords_;
    std::vector<QLabel*> leftPoints_;
};

// Shows the words window for the game modally over `mainWindow`.
void ShowWords(QWidget* mainWindow, const Game& game);
