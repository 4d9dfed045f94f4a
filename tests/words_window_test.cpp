// The game's words: the list of a game, the best word of all time in its
// file, what the words window shows, and the window behind F2.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <sys/stat.h>

#include "game/best_word.h"
#include "game/words_report.h"
#include "game_fixture.h"
#include "main_window_fixture.h"
#include "ui/frm_szavak.h"
#include "ui/png_button.h"
#include "ui/qt_text.h"

namespace {

using testing_support::GameFixture;
using testing_support::MainWindowFixture;
using testing_support::ModalWatch;
using testing_support::ReadFile;
using testing_support::WriteFile;

// Spells a word (UTF-8) down column `column` from `firstRow` and takes it off.
void TakeWordDown(GameFixture& f, int column, int firstRow, const std::string& wordUtf8)
{
    f.SetColumn(column, firstRow, wordUtf8);
    const std::string word = cp1250::fromUtf8(wordUtf8);
    for (std::size_t i = 0; i < word.size(); ++i)
        f.Click(column, firstRow + static_cast<int>(i));
    f.game.SubmitWord(MouseButton::Right);
}

struct RecordedGame : GameFixture {
    // LAMA scores as much as ALMA: 24.
    RecordedGame() : GameFixture("\"alma\"\r\n\"k\xC3\xB6r\"\r\n\"d\xC3\xA9l\"\r\n\"le\"\r\n\"lama\"\r\n")
    {
        game.LoadBestWord(data.Path());
    }
    std::string RecordFile() const { return data.File("LegjobbSzo.txt"); }
};

TEST(GameWords, AreListedInTheOrderTakenAndANewGameEmptiesThem)
{
    RecordedGame f;
    TakeWordDown(f, 1, 30, "ALMA");
    TakeWordDown(f, 4, 31, "KÖR");
    TakeWordDown(f, 7, 30, "LAMA");
    f.game.SubmitWord(MouseButton::Right);  // nothing selected: nothing taken
    ASSERT_EQ(f.game.Taken().All().size(), 3u);
    EXPECT_EQ(f.game.Taken().All()[0].word, "ALMA");
    EXPECT_EQ(f.game.Taken().All()[0].score, 24);
    EXPECT_EQ(cp1250::toUtf8(f.game.Taken().All()[1].word), "KÖR");
    EXPECT_EQ(f.game.Taken().All()[1].score, 18);

    const WordsReport report = MakeWordsReport(f.game);
    ASSERT_EQ(report.taken.size(), 3u);
    EXPECT_EQ(report.taken[1].points, "18 pont");
    EXPECT_EQ(cp1250::toUtf8(report.taken[1].spoken), "2. szó, 18 pont, KÖR");
    EXPECT_EQ(cp1250::toUtf8(report.summary), "3 szó, összesen 66 pont");
    // Of two words of equal points, the first taken is the game's best.
    EXPECT_EQ(cp1250::toUtf8(report.gameBest), "A játék legjobb szava:\nALMA, 24 pont");
    // While the game runs, the words left on the board stay hidden.
    EXPECT_TRUE(report.left.empty());
    EXPECT_EQ(cp1250::toUtf8(report.leftNote), "A játék végén itt látod a táblán maradt legjobb szavakat.");

    f.game.NewGame();
    EXPECT_TRUE(f.game.Taken().All().empty());
    EXPECT_EQ(cp1250::toUtf8(MakeWordsReport(f.game).gameBest), "A játék legjobb szava:\nmég nincs");
}

TEST(GameWords, AfterTheEndTheBestWordsLeftOnTheBoardAreShown)
{
    RecordedGame f;
    for (int c = 1; c <= kColumns; ++c)
        f.SetColumn(c, 25, "         ");
    f.SetColumn(6, 31, "DÉL");
    f.SetColumn(7, 33, "E");
    f.game.SetGameActive(false);  // "Befejeztem"
    const WordsReport report = MakeWordsReport(f.game);
    ASSERT_EQ(report.left.size(), 2u);
    EXPECT_EQ(cp1250::toUtf8(report.left[0].word), "DÉL");
    EXPECT_EQ(report.left[0].points, "21 pont");
    EXPECT_EQ(cp1250::toUtf8(report.left[0].spoken), "1. hely, 21 pont, DÉL");
    EXPECT_EQ(report.left[1].spoken, "2. hely, 6 pont, LE");
    EXPECT_EQ(report.left[1].word, "LE");
    EXPECT_TRUE(report.leftNote.empty());

    f.SetColumn(6, 31, "   ");
    EXPECT_EQ(cp1250::toUtf8(MakeWordsReport(f.game).leftNote), "Nem maradt szó a táblán.");

    // Twelve words left: the best ten are shown.
    GameFixture many("\"al\"\r\n\"lm\"\r\n\"ma\"\r\n\"ak\"\r\n\"kö\"\r\n\"ör\"\r\n"
                     "\"rt\"\r\n\"te\"\r\n\"la\"\r\n\"ml\"\r\n\"am\"\r\n\"ka\"\r\n");
    for (int c = 1; c <= kColumns; ++c)
        many.SetColumn(c, 25, "         ");
    many.SetColumn(1, 25, "ALMAKÖRTE");
    many.game.SetGameActive(false);
    const WordsReport twelve = MakeWordsReport(many.game);
    ASSERT_EQ(twelve.left.size(), 10u);
    EXPECT_EQ(twelve.left[9].spoken.substr(0, 9), "10. hely,");
}

TEST(BestWord, ANewRecordIsWrittenAtOnceAndReadAtTheNextStart)
{
    {
        RecordedGame f;
        EXPECT_EQ(cp1250::toUtf8(MakeWordsReport(f.game).allTimeBest), "Minden idők legjobb szava: még nincs");
        TakeWordDown(f, 4, 31, "KÖR");
        EXPECT_EQ(ReadFile(f.RecordFile()), "K\xD6R\t18\r\n");
        TakeWordDown(f, 1, 30, "ALMA");
        EXPECT_EQ(ReadFile(f.RecordFile()), "ALMA\t24\r\n");
        // An equal score, and a lower one in a new game, leave the record alone.
        TakeWordDown(f, 7, 30, "LAMA");
        EXPECT_EQ(ReadFile(f.RecordFile()), "ALMA\t24\r\n");
        f.game.NewGame();
        TakeWordDown(f, 4, 31, "KÖR");
        EXPECT_EQ(ReadFile(f.RecordFile()), "ALMA\t24\r\n");

        GameFixture restarted;
        restarted.game.LoadBestWord(f.data.Path());
        ASSERT_TRUE(restarted.game.BestWord().Best().has_value());
        EXPECT_EQ(restarted.game.BestWord().Best()->word, "ALMA");
        EXPECT_EQ(cp1250::toUtf8(MakeWordsReport(restarted.game).allTimeBest),
                  "Minden idők legjobb szava: ALMA, 24 pont");
    }
}

TEST(BestWord, ADamagedRecordIsNoneAndAnUnreadableOneIsNeverWrittenOver)
{
    for (const std::string damaged :
         {"", "ALMA\t25\r\n", "ALMA 24\r\n", "alma\t0\r\n", "\t0\r\n", "ALMA\t-24\r\n", "ALMA\t24x\r\n"}) {
        SCOPED_TRACE(damaged);
        EXPECT_FALSE(BestWordRecord::Parse(damaged).has_value());
    }
    EXPECT_TRUE(BestWordRecord::Parse("ALMA\t24").has_value());

    RecordedGame f;
    WriteFile(f.RecordFile(), "garbage");
    f.game.LoadBestWord(f.data.Path());
    EXPECT_FALSE(f.game.BestWord().Best().has_value());
    TakeWordDown(f, 6, 31, "DÉL");
    EXPECT_EQ(ReadFile(f.RecordFile()), "D\xC9L\t21\r\n");

    // A file that cannot be read keeps its content; the record lives on in
    // memory for this run.
    if (::geteuid() != 0) {
        WriteFile(f.RecordFile(), "KIR\xC1LY\t999\r\n");
        ::chmod(f.RecordFile().c_str(), 0200);
        f.game.LoadBestWord(f.data.Path());
        TakeWordDown(f, 1, 30, "ALMA");
        ::chmod(f.RecordFile().c_str(), 0600);
        EXPECT_EQ(ReadFile(f.RecordFile()), "KIR\xC1LY\t999\r\n");
        EXPECT_EQ(f.game.BestWord().Best()->word, "ALMA");
    }
    // A folder of that name is left as it is.
    RecordedGame g;
    ::mkdir(g.RecordFile().c_str(), 0700);
    g.game.LoadBestWord(g.data.Path());
    TakeWordDown(g, 1, 30, "ALMA");
    struct stat st {};
    ASSERT_EQ(::stat(g.RecordFile().c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
}

class WordsWindow : public MainWindowFixture {};

QString SpokenName(QWidget* control)
{
    return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
}

TEST_F(WordsWindow, F2ShowsTheGamesWordsCentredAndEscClosesIt)
{
    WriteFile(folders.locations.dataDir + "/LegjobbSzo.txt", "K\xD6R\t18\r\n");
    GetGame().LoadBestWord(folders.locations.dataDir);
    window->move(120, 90);
    bool inspected = false;
    ModalWatch watch([&](QWidget* modal) {
        inspected = true;
        auto* words = qobject_cast<Tfrm_Szavak*>(modal);
        ASSERT_NE(words, nullptr);
        EXPECT_EQ(words->size(), QSize(Tfrm_Szavak::kWidth, Tfrm_Szavak::kHeight));
        EXPECT_EQ(words->pos(), QPoint(120 + (670 - 440) / 2, 90 + (480 - 380) / 2));
        EXPECT_TRUE(words->TakenRows().empty());
        EXPECT_EQ(words->AllTimeBest->text(), QString::fromUtf8("Minden idők legjobb szava: KÖR, 18 pont"));
        EXPECT_TRUE(words->LeftNote->isVisible());
        EXPECT_FALSE(words->LeftWord(1)->isVisible());
        // Esc closes this window and does not reach the main window.
        QTest::keyClick(modal->windowHandle(), Qt::Key_Escape);
        EXPECT_FALSE(modal->isVisible());
    });
    QTest::keyClick(MainHandle(), Qt::Key_F2);
    EXPECT_TRUE(inspected);
    EXPECT_EQ(watch.seen.size(), 1u);
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(GetGame().GameActive());
    EXPECT_TRUE(errors.texts.empty());
}

TEST_F(WordsWindow, ManyWordsScrollAndAfterTheEndTheWordsLeftAreListed)
{
    Tfrm_Szavak form(window.get());
    WordsReport report;
    for (int i = 1; i <= 30; ++i)
        report.taken.push_back({"SZ" + std::to_string(i), PointsText(8), "row " + std::to_string(i)});
    report.left = {{"ALMA", "24 pont", "1. hely, 24 pont, ALMA"}, {"LE", "6 pont", "2. hely, 6 pont, LE"}};
    report.gameBest = "A j\xE1t\xE9k legjobb szava:\nALMA, 24 pont";
    form.Fill(report);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_EQ(form.TakenRows().size(), 30u);
    EXPECT_EQ(form.TakenRows()[29].first->objectName(), QStringLiteral("takenWord30"));
    EXPECT_EQ(form.TakenRows()[29].second->text(), QStringLiteral("8 pont"));
    EXPECT_TRUE(form.TakenList->verticalScrollBar()->isVisible());
    // The latest word is in sight.
    EXPECT_GT(form.TakenList->verticalScrollBar()->value(), 0);
    EXPECT_EQ(form.TakenList->verticalScrollBar()->value(), form.TakenList->verticalScrollBar()->maximum());
    EXPECT_EQ(form.LeftWord(1)->text(), QStringLiteral("ALMA"));
    EXPECT_EQ(form.LeftPoints(2)->text(), QStringLiteral("6 pont"));
    EXPECT_FALSE(form.LeftWord(3)->isVisible());
    EXPECT_FALSE(form.LeftNote->isVisible());

    // A screen reader reads each row at its word, the best word as one line.
    EXPECT_EQ(SpokenName(form.TakenRows()[29].first), QStringLiteral("row 30"));
    EXPECT_EQ(SpokenName(form.LeftWord(2)), QStringLiteral("2. hely, 6 pont, LE"));
    EXPECT_EQ(SpokenName(form.GameBest), QString::fromUtf8("A játék legjobb szava: ALMA, 24 pont"));
    EXPECT_EQ(SpokenName(form.PNGButton8), QString::fromUtf8("Bezár"));
    // Filled again (as after the end), a row left empty says nothing.
    report.left.pop_back();
    report.leftNote = "Nem maradt sz\xF3 a t\xE1" "bl\xE1n.";
    form.Fill(report);
    EXPECT_EQ(SpokenName(form.LeftWord(2)), QString());
    EXPECT_EQ(SpokenName(form.LeftNote), QString::fromUtf8("Nem maradt szó a táblán."));
    // The list takes the focus to scroll by keys, named by its heading.
    EXPECT_EQ(SpokenName(form.TakenList), QString::fromUtf8("Ebben a játékban"));
}

// A word of `letters` letters with its points in every place the window
// shows one: the list of this game's words, the game's best word, the best
// of all time and the words left on the board.
WordsReport ReportOfOneWord(const std::string& word, const std::string& points)
{
    WordsReport report;
    report.taken.push_back({word, points, "1. sz\xF3"});
    report.gameBest = "A j\xE1t\xE9k legjobb szava:\n" + word + ", " + points;
    report.allTimeBest = "Minden id\xF5k legjobb szava: " + word + ", " + points;
    report.left.push_back({word, points, "1. hely"});
    return report;
}

// Where the text of a label stands in the window: its alignment within the
// label, at the label's font.
QRect TextPlace(QLabel* label, const QString& line)
{
    const int width = label->fontMetrics().horizontalAdvance(line);
    const QRect box = label->geometry();
    const int left = label->alignment() & Qt::AlignHCenter ? box.center().x() - width / 2
                     : label->alignment() & Qt::AlignRight ? box.right() - width
                                                           : box.left();
    return QRect(label->mapTo(label->window(), QPoint(left - box.left(), 0)), QSize(width, box.height()));
}

TEST_F(WordsWindow, ATwentyLetterWordStaysWholeInsideItsPanelsAndFifteenLettersKeepTheirSize)
{
    // The record band's star ends 46 pixels from the window's left edge; the
    // sheets end at 220 (this game's words) and 418 (the words left).
    constexpr int kStarRight = 46;
    struct Case {
        std::string word;
        std::int32_t points;
        bool fitsAtFullSize;
    };
    const Case cases[] = {{"SZ\xC9TSZAKADOZOTT", 405, true},              // 15 letters, as the list holds many
                          {"ELLENT\xC1MAD\xC1SRAVALL\xC1S", 700, false},  // 20 letters
                          {std::string(20, 'M'), 1600, false}};            // 20 of the widest letters
    for (const Case& c : cases) {
        SCOPED_TRACE(cp1250::toUtf8(c.word));
        Tfrm_Szavak form(window.get());
        form.Fill(ReportOfOneWord(c.word, PointsText(c.points)));
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        const auto [word, points] = form.TakenRows()[0];
        EXPECT_EQ(word->text(), ToQString(c.word)) << "the word is shown uncut";

        // In the list: the word, then its points, inside the sheet.
        const QRect wordText = TextPlace(word, word->text());
        const QRect pointsText = TextPlace(points, points->text());
        EXPECT_LE(wordText.right(), pointsText.left()) << "the word runs into its points";
        EXPECT_LE(pointsText.right(), 220);
        EXPECT_LE(form.TakenList->widget()->width(), form.TakenList->viewport()->width()) << "the row is cut";

        // The game's best word: two lines, each within the label.
        for (const QString& line : form.GameBest->text().split('\n'))
            EXPECT_LE(form.GameBest->fontMetrics().horizontalAdvance(line), form.GameBest->width()) << line.toStdString();
        EXPECT_LE(form.GameBest->fontMetrics().lineSpacing() * 2, form.GameBest->height());

        // The best of all time, clear of the star and inside the band.
        const QRect allTime = TextPlace(form.AllTimeBest, form.AllTimeBest->text());
        EXPECT_GT(allTime.left(), kStarRight);
        EXPECT_LE(allTime.right(), 418);

        // The words left: within their column.
        EXPECT_LE(form.LeftWord(1)->fontMetrics().horizontalAdvance(form.LeftWord(1)->text()), form.LeftWord(1)->width());

        const bool full = word->font().pixelSize() == 12 && form.GameBest->font().pixelSize() == 12 &&
                          form.AllTimeBest->font().pixelSize() == 13 && form.LeftWord(1)->font().pixelSize() == 12;
        EXPECT_EQ(full, c.fitsAtFullSize) << "letter sizes " << word->font().pixelSize() << ", "
                                          << form.GameBest->font().pixelSize() << ", "
                                          << form.AllTimeBest->font().pixelSize() << ", "
                                          << form.LeftWord(1)->font().pixelSize();
        EXPECT_GE(word->font().pixelSize(), 6);
        EXPECT_EQ(points->font().pixelSize(), 12) << "the points keep their size";
    }
}

}  // namespace
