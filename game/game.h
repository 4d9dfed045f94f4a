// The running game: the board, the selection, the score and the word lists,
// and the operations the main window's events and commands call.
//
// Each group of operations lives in its own file: dealing letters
// (board_fill.cpp), drawing cells (cell_drawing.cpp), letter selection
// (letter_selection.cpp), word submission and the fall of letters
// (word_submission.cpp) and the word-list commands (word_commands.cpp).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "game/best_word.h"
#include "game/board.h"
#include "game/selection.h"
#include "game/taken_words.h"
#include "game/word_lists.h"
#include "platform/game_random.h"

class BoardView;

enum class MouseButton { Left, Right, Middle, Other };

class Game {
public:
    Game(BoardView& view, std::string programDir);
    ~Game();

    // Start-up: deals the first board and draws its 90 tiles.
    void CreateBoard();
    // Start-up: loads the word lists from the data folder, where the word
    // list may still be being copied (see WordListCopy).
    void LoadWordLists(const std::string& dataDir, std::shared_ptr<WordListCopy> copy = nullptr);
    // Close: writes back each word list whose file would change, ignoring
    // failures.
    void SaveWordLists();
    // Start-up: reads the best word of all time from the data folder.
    void LoadBestWord(const std::string& dataDir) { bestWord_.Load(dataDir); }

    // "Új játék": deals a fresh board and resets score and selection.
    void NewGame();
    // Left click on the tile with this control name ("i", column, "i", row).
    void Image1Click(const std::string& tileName);
    // The same click on the tile of a cell, as the keyboard makes it.
    void ClickCell(int column, int row);
    // Mouse button released on a tile.
    void SubmitWord(MouseButton button);
    // "Szóhozzá": teaches the word lists LastWord.
    void AddLastWord();
    // Whether LastWord stands in the word list.
    bool IsKnownWord() const;

    std::string TileImagePath(int column, int row) const;
    // The picture of a letter, normal or selected.
    std::string TilePicturePath(char letter, bool selected) const;
    void RedrawCell(int column, int row);

    bool GameActive() const { return gameActive_; }
    void SetGameActive(bool active) { gameActive_ = active; }
    std::int32_t TotalScore() const { return totalScore_; }
    const std::string& WordLine() const { return wordLine_; }
    const std::string& ScoreLine() const { return scoreLine_; }
    const Selection& GetSelection() const { return selection_; }
    const Board& GetBoard() const { return board_; }
    Board& MutableBoard() { return board_; }
    GameRandom& Random() { return random_; }
    // Null until LoadWordLists has run (start-up may stop before it).
    const WordLists* Lists() const { return lists_.get(); }
    // This game's words in the order they were taken, and the best of all time.
    const TakenWords& Taken() const { return taken_; }
    const BestWordRecord& BestWord() const { return bestWord_; }

    // The score line for a total: "Eredmény: <total> pont".
    static std::string ScoreText(std::int32_t total);

private:
    void DealLetters(bool refill);
    void ShowWord();
    // ShowWord after the player picked a letter or took one back, and say
    // the word so far.
    void ShowSpelledWord();
    void ApplyGravity();
    void AnimateDrop(int column, int row);
    void ShowTile(int column, int row, const std::string& picturePath);
    void HideTile(int column, int row);

    BoardView& view_;
    std::string programDir_;
    Board board_;
    Selection selection_;
    GameRandom random_;
    std::int32_t totalScore_ = 0;
    bool gameActive_ = false;
    std::string wordLine_;
    std::string scoreLine_;
    std::unique_ptr<WordLists> lists_;
    TakenWords taken_;
    BestWordRecord bestWord_;
};
