// Taking a known word off the board: score it, empty its cells and let the
// letters above fall, the reserve rows feeding the visible board.
#include "game/board_view.h"
#include "game/game.h"
#include "game/scoring.h"
#include "game/spoken_text.h"
#include "platform/text_helpers.h"

void Game::SubmitWord(MouseButton button)
{
    if (button != MouseButton::Right)
        return;
    if (!gameActive_) {
        view_.Announce(GameOverSpokenText());
        return;
    }
    if (!IsKnownWord()) {
        view_.Announce(RefusedWordSpokenText(selection_.lastWord));
        return;
    }
    selection_.path.clear();

    // The points come from the word line: everything before its first blank.
    // On the board of a day the line names the board while no word is
    // spelled, and there is no word then.
    const bool caption = dailyBoard_ && selection_.currentWord.empty();
    const std::string word = caption ? std::string() : GetField(" ", wordLine_, 1);
    const std::int32_t points = WordScore(word);
    totalScore_ = static_cast<std::int32_t>(static_cast<std::uint32_t>(totalScore_) +
                                            static_cast<std::uint32_t>(points));
    scoreLine_ = ScoreText(totalScore_);
    view_.SetScoreLine(scoreLine_);
    if (!word.empty()) {
        taken_.Add(word, points);
        bestWord_.Offer(word, points);
    }

    try {
        for (int column = 1; column <= kColumns; ++column)
            for (int row = 1; row <= kRows; ++row)
                if (board_.At(column, row).selected)
                    board_.At(column, row).letter = kBlank;

        ApplyGravity();

        for (int column = 1; column <= kColumns; ++column) {
            for (int row = 1; row <= kRows; ++row) {
                if (board_.At(column, row).selected) {
                    board_.At(column, row).selected = false;
                    RedrawCell(column, row);
                }
            }
        }
    } catch (...) {
        // A tile picture that cannot be drawn ends the submission half way.
        // The word has scored already: forget it, so that the next release
        // cannot score it again.
        selection_.currentWord.clear();
        try {
            ShowWord();
        } catch (...) {
        }
        selection_.lastWord.clear();
        throw;
    }

    selection_.currentWord.clear();
    ShowWord();
    selection_.lastWord.clear();
    view_.Announce(TakenWordSpokenText(word, points, scoreLine_));
}

void Game::ApplyGravity()
{
    for (;;) {
        bool canFall = false;
        for (int column = 1; column <= kColumns && !canFall; ++column)
            for (int row = kRows; row >= 2 && !canFall; --row)
                canFall = board_.At(column, row).letter == kBlank && board_.At(column, row - 1).letter != kBlank;
        if (!canFall)
            break;

        // One pass from the bottom up moves every letter that has an empty
        // cell below it down by exactly one row.
        for (int column = 1; column <= kColumns; ++column) {
            for (int source = kRows - 1; source >= 1; --source) {
                BoardCell& from = board_.At(column, source);
                BoardCell& below = board_.At(column, source + 1);
                if (below.letter != kBlank || from.letter == kBlank)
                    continue;
                below.letter = from.letter;
                from.letter = kBlank;
                if (source >= kFirstVisibleRow) {
                    AnimateDrop(column, source);
                    RedrawCell(column, source + 1);
                }
            }
        }
    }

    // Letters that fell in from the reserve come into view.
    for (int column = 1; column <= kColumns; ++column)
        if (!board_.TileShown(column, kFirstVisibleRow) && board_.At(column, kFirstVisibleRow).letter != kBlank)
            RedrawCell(column, kFirstVisibleRow);
}

void Game::AnimateDrop(int column, int row)
{
    // The letter has moved already: the one that falls stands in the row below.
    view_.SlideTile(column, row, TilePicturePath(board_.At(column, row + 1).letter, false));
    board_.SetTileShown(column, row, false);
}
