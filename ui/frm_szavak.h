// The words window: this game's words with their points, their count and
// total, the game's best word, the best word of all time and, once the game
// has ended, the best words still on the board. A picture window
// (PictureDialog) like the top-ten window: dragged by its picture, closed by
// its close button or Esc, shown modally over the main window, a new one for
// each showing.
#pragma once

#include <utility>
#include <vector>

#include "ui/picture_dialog.h"

class QLabel;
class QScrollArea;
class Game;
struct WordsReport;

class Tfrm_Szavak : public PictureDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 440;
    static constexpr int kHeight = 380;
    static constexpr int kRowHeight = 18;
    static constexpr int kLeftRows = 10;

    // `mainWindow` is the window it is placed over (may be null).
    explicit Tfrm_Szavak(QWidget* mainWindow);

    // Shows a report: rows takenWord1.., takenPoints1.. for the words taken
    // (in the scrolling list), leftWord1..10, leftPoints1..10 for the words
    // left. A screen reader reads a whole row at its word.
    void Fill(const WordsReport& report);

    QLabel* TakenHeading = nullptr;
    QScrollArea* TakenList = nullptr;
    QLabel* TakenSummary = nullptr;  // count and total
    QLabel* GameBest = nullptr;      // the game's best word
    QLabel* LeftHeading = nullptr;
    QLabel* LeftNote = nullptr;      // shown in place of the words left
    QLabel* AllTimeBest = nullptr;   // the best word of all time

    // The rows of this game's words (word, points), and of the words left.
    const std::vector<std::pair<QLabel*, QLabel*>>& TakenRows() const { return takenRows_; }
    QLabel* LeftWord(int row) const { return leftWords_[static_cast<std::size_t>(row - 1)]; }
    QLabel* LeftPoints(int row) const { return leftPoints_[static_cast<std::size_t>(row - 1)]; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void ShowLatestWord();

    QWidget* takenBox_ = nullptr;
    std::vector<std::pair<QLabel*, QLabel*>> takenRows_;
    std::vector<QLabel*> leftWords_;
    std::vector<QLabel*> leftPoints_;
};

// Shows the words window for the game modally over `mainWindow`.
void ShowWords(QWidget* mainWindow, const Game& game);
