// A game on a recording view with letters the test chooses.
#pragma once

#include <string>

#include "game/game.h"
#include "platform/cp1250.h"
#include "test_support.h"

namespace testing_support {

struct GameFixture {
    RecordingView view;
    TempFolder data;
    Game game{view, "/prog"};

    // Deals a board, then empties the reserve of every column so that tests
    // state exactly what can fall. The view's record starts empty.
    explicit GameFixture(const std::string& wordListUtf8 = "")
    {
        game.Random().SetFixedSeed(1);
        game.CreateBoard();
        for (int c = 1; c <= kColumns; ++c)
            for (int r = 1; r < kFirstVisibleRow; ++r)
                game.MutableBoard().At(c, r).letter = kBlank;
        if (!wordListUtf8.empty())
            WriteFile(data.File("SzavakLista.txt"), cp1250::fromUtf8(wordListUtf8));
        game.LoadWordLists(data.Path());
        game.SetGameActive(true);
        view.calls.clear();
    }

    // Letters of one column from `firstRow` down, given in UTF-8; a blank is
    // an empty cell.
    void SetColumn(int column, int firstRow, const std::string& lettersUtf8)
    {
        const std::string letters = cp1250::fromUtf8(lettersUtf8);
        for (std::size_t i = 0; i < letters.size(); ++i) {
            const int row = firstRow + static_cast<int>(i);
            game.MutableBoard().At(column, row).letter = letters[i];
            if (Board::IsVisibleRow(row))
                game.MutableBoard().SetTileShown(column, row, letters[i] != kBlank);
        }
    }

    std::string Column(int column, int firstRow = 1) const
    {
        std::string letters;
        for (int r = firstRow; r <= kRows; ++r)
            letters += game.GetBoard().At(column, r).letter;
        return cp1250::toUtf8(letters);
    }

    void Click(int column, int row) { game.Image1Click("i" + std::to_string(column) + "i" + std::to_string(row)); }
};

}  // namespace testing_support
