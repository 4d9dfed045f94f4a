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
#include <optional>
#include <string>

#include "game/best_word.h"
#include "game/board.h"
#include "game/game_record.h"
#include "game/selection.h"
#include "game/taken_words.h"
#include "game/word_lists.h"
#include "platform/clock.h"
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

    // Start-up: the record of finished games in the data folder.
    void OpenRecord(const std::string& dataDir) { record_.Open(dataDir); }

    // "Új játék": deals a fresh board and resets score and selection. A game
    // still running with points is recorded as finished first.
    void NewGame();
    // "Napi tábla": the same with today's board, whose letters follow from
    // the local date alone.
    void NewDailyGame();
    // "Befejeztem": the board takes no more clicks and the game is recorded.
    // Does nothing when no game is running.
    void FinishGame();
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
    // The clock that tells today's date and when a game ended; tests fix it.
    void SetClock(const Clock& clock) { clock_ = &clock; }
    const Clock& GetClock() const { return *clock_; }
    // The day whose board is being played; none for an ordinary board.
    const std::optional<CalendarDate>& DailyBoard() const { return dailyBoard_; }
    GameRecord& Record() { return record_; }
    // Null until LoadWordLists has run (start-up may stop before it).
    const WordLists* Lists() const { return lists_.get(); }
    // This game's words in the order they were taken, and the best of all time.
    const TakenWords& Taken() const { return taken_; }
    const BestWordRecord& BestWord() const { return bestWord_; }

    // The score line for a total: "Eredmény: <total> pont".
    static std::string ScoreText(std::int32_t total);

private:
    // Deals every cell: from the generator reseeded by the clock's ticks, or
    // started at `seed`.
    void DealLetters(bool refill, std::optional<std::uint32_t> seed = std::nullopt);
    void StartGame(std::optional<CalendarDate> dailyBoard);
    void RecordGame();
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
    const Clock* clock_ = &SystemClock();
    std::optional<CalendarDate> dailyBoard_;
    GameRecord record_;
};
