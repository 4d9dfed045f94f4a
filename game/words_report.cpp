#include "game/words_report.h"

#include "game/board_solver.h"
#include "game/game.h"
#include "game/spoken_text.h"

namespace {

// "még nincs" (none yet), in code page 1250 like every text of the game.
const char* const kNoWordYet = "m\xE9g nincs";

std::string WordWithPoints(const TakenWord& w)
{
    return w.word + ", " + PointsText(w.score);
}

}  // namespace

WordsReport MakeWordsReport(const Game& game)
{
    WordsReport report;
    for (const TakenWord& w : game.Taken().All()) {
        const int order = static_cast<int>(report.taken.size()) + 1;
        report.taken.push_back({w.word, PointsText(w.score), TakenWordSpokenName(order, w.score, w.word)});
    }
    report.summary = std::to_string(game.Taken().All().size()) + " sz\xF3, \xF6sszesen " + PointsText(game.TotalScore());
    const TakenWord* best = game.Taken().Best();
    report.gameBest = std::string("A j\xE1t\xE9k legjobb szava:\n") + (best ? WordWithPoints(*best) : kNoWordYet);
    const auto& record = game.BestWord().Best();
    report.allTimeBest =
        std::string("Minden id\xF5k legjobb szava: ") + (record ? WordWithPoints(*record) : kNoWordYet);

    if (game.GameActive()) {
        // Shown only after the end, so that it cannot help during a game.
        report.leftNote = "A j\xE1t\xE9k v\xE9g\xE9n itt l\xE1tod a t\xE1" "bl\xE1n maradt legjobb szavakat.";
        return report;
    }
    std::vector<FoundWord> found;
    if (const WordLists* lists = game.Lists()) {
        try {
            found = FindBoardWords(game.GetBoard(), lists->Words());
        } catch (...) {
            // A dictionary that failed to load knows no words.
        }
    }
    for (std::size_t i = 0; i < found.size() && i < kLeftShown; ++i) {
        const FoundWord& w = found[i];
        const int rank = static_cast<int>(i) + 1;
        report.left.push_back({w.word, PointsText(w.score), RankedRowSpokenName(rank, std::to_string(w.score), w.word)});
    }
    if (report.left.empty())
        report.leftNote = "Nem maradt sz\xF3 a t\xE1" "bl\xE1n.";
    return report;
}
