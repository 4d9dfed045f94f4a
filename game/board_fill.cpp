// Dealing letters: the first board at start, and a fresh one for a new game.
#include "game/board_view.h"
#include "game/daily_board.h"
#include "game/game.h"
#include "game/letter_pool.h"
#include "game/spoken_text.h"

Game::Game(BoardView& view, std::string programDir) : view_(view), programDir_(std::move(programDir)) {}

Game::~Game() = default;

void Game::DealLetters(bool refill, std::optional<std::uint32_t> seed)
{
    if (seed)
        random_.Seed(*seed);
    else
        random_.Reseed();
    // One draw per cell, column by column and top to bottom, the reserve
    // rows included.
    for (int column = 1; column <= kColumns; ++column) {
        for (int row = 1; row <= kRows; ++row) {
            BoardCell& cell = board_.At(column, row);
            cell.letter = DrawLetter(random_);
            if (refill)
                cell.selected = false;
            if (Board::IsVisibleRow(row))
                RedrawCell(column, row);
        }
    }
}

void Game::CreateBoard()
{
    DealLetters(false);
}

void Game::NewGame()
{
    StartGame(std::nullopt);
}

void Game::NewDailyGame()
{
    StartGame(clock_->Now().date);
}

void Game::StartGame(std::optional<CalendarDate> dailyBoard)
{
    // A game left with points is over now; one without any was never played.
    if (gameActive_ && totalScore_ > 0)
        RecordGame();
    gameActive_ = true;
    taken_.Clear();
    dailyBoard_ = dailyBoard;
    DealLetters(true, dailyBoard ? std::optional(DailySeed(*dailyBoard)) : std::nullopt);
    selection_.path.clear();
    selection_.currentWord.clear();
    totalScore_ = 0;
    scoreLine_ = ScoreText(totalScore_);
    view_.SetScoreLine(scoreLine_);
    ShowWord();
    selection_.lastWord.clear();
    // Today's board says which board it is, as the word line shows it.
    view_.Announce(dailyBoard ? DailyCaption(*dailyBoard) : NewGameSpokenText());
}

void Game::FinishGame()
{
    if (!gameActive_)
        return;
    gameActive_ = false;
    RecordGame();
}

void Game::RecordGame()
{
    FinishedGame game;
    game.finished = clock_->Now();
    game.score = totalScore_;
    game.words = static_cast<std::int32_t>(taken_.All().size());
    if (const TakenWord* best = taken_.Best()) {
        game.bestWord = best->word;
        game.bestPoints = best->score;
    }
    game.dailyBoard = dailyBoard_;
    // A record that cannot be written keeps the game for the next try and
    // tells the statistics window; the game goes on either way.
    record_.Add(game);
}
