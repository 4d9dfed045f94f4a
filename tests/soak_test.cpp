// A long random game against the real main window, offscreen.
//
// Left clicks (mostly spelling words from neighbouring tiles, sometimes
// taking letters back or starting afresh, sometimes on empty places), right-
// and middle-button releases, "Szóhozzá", new games and stopped games arrive
// in random order through the window system. After every event the game must
// hold together: no letter comes from nowhere or vanishes unscored, nothing
// floats above an empty cell, the selection is one consistent path, the
// labels show the game's state, and every tile is shown exactly when its cell
// holds a letter, with its picture, at its home position.
//
// VORPANTA_SOAK_EVENTS sets the number of events (default 4000);
// VORPANTA_SOAK_SEED the random seed.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "game/scoring.h"
#include "platform/cp1250.h"
#include "platform/text_helpers.h"
#include "test_support.h"
#include "ui/frm_main.h"
#include "ui/picture_control.h"
#include "ui/qt_text.h"

namespace {

using testing_support::ErrorBoxRecorder;
using testing_support::GameFolders;
using testing_support::NoSlidePacing;
using testing_support::WriteFile;

// The letters the pool deals, code page 1250.
const std::string kPoolLetters = "A\xC1" "BCDE\xC9" "FGHIJKLMNO\xD6" "PRSTU\xDC" "VYZ";

long EnvNumber(const char* name, long fallback)
{
    const char* text = std::getenv(name);
    if (!text || !*text)
        return fallback;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return end && *end == '\0' && value >= 0 ? value : fallback;
}

// Every word of one or two pool letters, quoted, half of them in small
// letters: plenty of words on any board.
std::string ShortWordList()
{
    std::string text;
    const auto add = [&](std::string word, bool small) {
        text += "\"" + (small ? cp1250::toLower(word) : word) + "\"\r\n";
    };
    for (std::size_t i = 0; i < kPoolLetters.size(); ++i) {
        add(std::string(1, kPoolLetters[i]), i % 2 == 0);
        for (std::size_t k = 0; k < kPoolLetters.size(); ++k)
            add(std::string{kPoolLetters[i], kPoolLetters[k]}, (i + k) % 2 == 1);
    }
    return text;
}

using LetterCount = std::map<char, int>;

class Soak : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(QString::fromStdString(folders.locations.dataDir));
        WriteFile(folders.locations.dataDir + "/SzavakLista.txt", ShortWordList());
        window = std::make_unique<Tfrm_Main>(folders.locations);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(errors.texts.empty());
        home = window->pos();
        for (int c = 1; c <= kColumns; ++c)
            for (int r = kFirstVisibleRow; r <= kRows; ++r)
                tileHome[Index(c, r)] = window->Tile(c, r)->pos();
        Dealt();
    }

    static int Index(int column, int row) { return (column - 1) * 9 + (row - kFirstVisibleRow); }
    Game& G() { return window->GetGame(); }
    const BoardCell& Cell(int c, int r) { return G().GetBoard().At(c, r); }

    LetterCount BoardLetters()
    {
        LetterCount count;
        for (int c = 1; c <= kColumns; ++c)
            for (int r = 1; r <= kRows; ++r)
                if (Cell(c, r).letter != kBlank)
                    ++count[Cell(c, r).letter];
        return count;
    }

    // A fresh deal: what is on the board now is all there is.
    void Dealt()
    {
        expectedLetters = BoardLetters();
        expectedScore = 0;
        int letters = 0;
        for (const auto& [letter, n] : expectedLetters)
            letters += n;
        ASSERT_EQ(letters, kColumns * kRows) << "a deal fills every cell";
    }

    QPoint Centre(int c, int r) { return tileHome[Index(c, r)] + QPoint(17, 21); }

    void Click(int c, int r) { QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, Centre(c, r)); }

    // Releases a button over a tile; a known word is taken off.
    void Release(Qt::MouseButton button, int c, int r)
    {
        const bool accepted = button == Qt::RightButton && G().GameActive() && G().IsKnownWord();
        const std::string word = G().GetSelection().currentWord;
        QTest::mouseClick(window->windowHandle(), button, {}, Centre(c, r));
        if (accepted) {
            for (char letter : word)
                --expectedLetters[letter];
            expectedScore += WordScore(word);
            ++submissions;
            lettersTaken += static_cast<int>(word.size());
        }
    }

    // A left click that most often grows the word, sometimes takes its last
    // letter back, and sometimes lands anywhere.
    void SpellingClick(std::mt19937& random)
    {
        const Selection& s = G().GetSelection();
        const int roll = static_cast<int>(random() % 100);
        if (!s.path.empty() && roll < 15) {
            Click(s.lastCol, s.lastRow);
            return;
        }
        if (!s.path.empty() && roll < 85) {
            const std::array<std::pair<int, int>, 4> steps{{{0, 1}, {0, -1}, {1, 0}, {-1, 0}}};
            const auto [dc, dr] = steps[random() % 4];
            const int c = s.lastCol + dc;
            const int r = s.lastRow + dr;
            if (c >= 1 && c <= kColumns && r >= kFirstVisibleRow && r <= kRows) {
                Click(c, r);
                return;
            }
        }
        Click(1 + static_cast<int>(random() % kColumns), kFirstVisibleRow + static_cast<int>(random() % 9));
    }

    const QImage& PictureOf(const std::string& path)
    {
        auto found = pictures.find(path);
        if (found == pictures.end()) {
            QImage image;
            image.load(PathToQString(path), "BMP");
            found = pictures.emplace(path, image).first;
        }
        return found->second;
    }

    // Everything that must hold after any event; `event` names it.
    void CheckInvariants(long event, bool withPictures)
    {
        SCOPED_TRACE("after event " + std::to_string(event));
        ASSERT_TRUE(errors.texts.empty()) << errors.texts.front().toStdString();
        ASSERT_EQ(window->pos(), home) << "the window moved";

        // Letters: none from nowhere, none lost unscored, none floating.
        LetterCount now = BoardLetters();
        LetterCount expected = expectedLetters;
        for (auto it = expected.begin(); it != expected.end();)
            it = it->second == 0 ? expected.erase(it) : std::next(it);
        ASSERT_EQ(now, expected) << "the letters on the board are not those dealt minus those scored";
        for (int c = 1; c <= kColumns; ++c) {
            for (int r = 1; r <= kRows; ++r) {
                const char letter = Cell(c, r).letter;
                ASSERT_TRUE(letter == kBlank || kPoolLetters.find(letter) != std::string::npos) << c << ";" << r;
                if (r > 1 && letter == kBlank) {
                    ASSERT_EQ(Cell(c, r - 1).letter, kBlank) << "a letter floats above the empty cell " << c << ";" << r;
                }
            }
        }

        // The selection: the path is exactly the selected cells, its letters
        // are the current word, and its end is the last cell.
        const Selection& s = G().GetSelection();
        std::string word;
        std::map<std::pair<int, int>, int> inPath;
        for (const std::string& entry : s.path) {
            const int c = std::stoi(GetField(";", entry, 1));
            const int r = std::stoi(GetField(";", entry, 2));
            ASSERT_EQ(PathEntry(c, r), entry);
            ASSERT_TRUE(Board::Contains(c, r) && Board::IsVisibleRow(r)) << entry;
            ASSERT_EQ(++inPath[std::make_pair(c, r)], 1) << "the path visits " << entry << " twice";
            word += Cell(c, r).letter;
        }
        for (int c = 1; c <= kColumns; ++c)
            for (int r = 1; r <= kRows; ++r) {
                ASSERT_EQ(Cell(c, r).selected, inPath.count({c, r}) == 1) << "selected flag of " << c << ";" << r;
            }
        ASSERT_EQ(s.currentWord, word);
        ASSERT_EQ(word.find(kBlank), std::string::npos) << "an empty cell is selected";
        if (!s.path.empty()) {
            ASSERT_EQ(PathEntry(s.lastCol, s.lastRow), s.path.back());
            // Adjacent steps only.
            for (std::size_t i = 1; i < s.path.size(); ++i) {
                const int dc = std::abs(std::stoi(GetField(";", s.path[i], 1)) - std::stoi(GetField(";", s.path[i - 1], 1)));
                const int dr = std::abs(std::stoi(GetField(";", s.path[i], 2)) - std::stoi(GetField(";", s.path[i - 1], 2)));
                ASSERT_EQ(dc + dr, 1) << "the path jumps from " << s.path[i - 1] << " to " << s.path[i];
            }
        }

        // The labels show the game.
        ASSERT_EQ(G().TotalScore(), expectedScore);
        ASSERT_EQ(window->Label2->text(), QString::fromUtf8("Eredmény: %1 pont").arg(expectedScore));
        ASSERT_EQ(window->Label1->text(), ToQString(G().WordLine()));
        if (!G().WordLine().empty()) {
            ASSERT_EQ(G().WordLine(), s.currentWord + " (" + std::to_string(WordScore(s.currentWord)) + ")");
        }

        // The tiles: shown exactly for letters, at home, with their picture.
        for (int c = 1; c <= kColumns; ++c) {
            for (int r = kFirstVisibleRow; r <= kRows; ++r) {
                PictureControl* tile = window->Tile(c, r);
                const bool letter = Cell(c, r).letter != kBlank;
                ASSERT_EQ(tile->isVisible(), letter) << "tile " << c << ";" << r;
                ASSERT_EQ(tile->pos(), tileHome[Index(c, r)]) << "tile " << c << ";" << r << " is not at home";
                if (withPictures && letter) {
                    ASSERT_TRUE(tile->Picture() == PictureOf(G().TileImagePath(c, r)))
                        << "tile " << c << ";" << r << " shows another picture than " << G().TileImagePath(c, r);
                }
            }
        }
    }

    GameFolders folders;
    ErrorBoxRecorder errors;
    NoSlidePacing noPacing;
    std::unique_ptr<Tfrm_Main> window;
    QPoint home;
    std::array<QPoint, kColumns * 9> tileHome{};
    std::map<std::string, QImage> pictures;
    LetterCount expectedLetters;
    std::int32_t expectedScore = 0;
    int submissions = 0;
    int lettersTaken = 0;
};

TEST_F(Soak, RandomPlayKeepsTheBoardSelectionLabelsAndTilesConsistent)
{
    const long events = EnvNumber("VORPANTA_SOAK_EVENTS", 4000);
    const long seed = EnvNumber("VORPANTA_SOAK_SEED", 20261208);
    std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
    std::map<std::string, int> counts;
    for (long event = 1; event <= events; ++event) {
        const int roll = static_cast<int>(random() % 1000);
        const int c = 1 + static_cast<int>(random() % kColumns);
        const int r = kFirstVisibleRow + static_cast<int>(random() % 9);
        if (roll < 640) {
            SpellingClick(random);
            ++counts["left click"];
        } else if (roll < 900) {
            Release(Qt::RightButton, c, r);
            ++counts["right release"];
        } else if (roll < 930) {
            Release(Qt::MiddleButton, c, r);
            ++counts["middle release"];
        } else if (roll < 965) {
            window->aSzohozzaExecute();
            ++counts["Szohozza"];
        } else if (roll < 975) {
            // What "Befejeztem" does to the board before the top-ten window.
            G().SetGameActive(false);
            ++counts["stop"];
        } else {
            window->aUjExecute();
            Dealt();
            ++counts["new game"];
        }
        CheckInvariants(event, event % 97 == 0 || event == events);
        if (HasFatalFailure()) {
            ADD_FAILURE() << "seed " << seed;
            return;
        }
    }
    std::string summary;
    for (const auto& [what, n] : counts)
        summary += " " + what + " " + std::to_string(n) + ";";
    std::printf("[ SOAK     ] %ld events (seed %ld):%s %d words taken off, %d letters\n", events, seed, summary.c_str(),
                submissions, lettersTaken);
    EXPECT_GT(submissions, events / 50) << "too few words were taken off for the soak to mean much";
}

}  // namespace
