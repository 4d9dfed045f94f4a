// The statistics window behind F3 and today's board behind Ctrl+D, driven
// through the main window: what the window shows for no game, one game and a
// long history, the keys that close it, and the line to share on the
// clipboard.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QLabel>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTest>

#include <sys/stat.h>

#include "game/game_record.h"
#include "main_window_fixture.h"
#include "ui/frm_statisztika.h"
#include "ui/png_button.h"

namespace {

using testing_support::ClickThroughWindow;
using testing_support::MainWindowFixture;
using testing_support::ModalWatch;
using testing_support::ReadFile;
using testing_support::WriteFile;

constexpr LocalTime kNow{{2026, 12, 9}, 18, 30, 0};

QString SpokenName(QWidget* control)
{
    return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
}

class StatisticsWindow : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        GetGame().SetClock(clock);
        QGuiApplication::clipboard()->clear();
    }

    std::string RecordFile() const { return folders.locations.dataDir + "/Jatekok.txt"; }

    // Opens the statistics window with F3 and hands it to `inspect`, then
    // closes it (when `inspect` did not).
    void InspectStatistics(const std::function<void(Tfrm_Statisztika*)>& inspect)
    {
        bool inspected = false;
        ModalWatch watch([&](QWidget* modal) {
            inspected = true;
            auto* form = qobject_cast<Tfrm_Statisztika*>(modal);
            ASSERT_NE(form, nullptr);
            inspect(form);
        });
        QTest::keyClick(MainHandle(), Qt::Key_F3);
        EXPECT_TRUE(inspected) << "F3 opened no statistics window";
        EXPECT_EQ(watch.seen.size(), 1u);
    }

    FixedClock clock{kNow};
};

TEST_F(StatisticsWindow, WithNoGameItSaysSoAndEscAndEnterCloseIt)
{
    window->move(100, 80);
    InspectStatistics([&](Tfrm_Statisztika* form) {
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Statisztika"));
        EXPECT_EQ(form->size(), QSize(Tfrm_Statisztika::kWidth, Tfrm_Statisztika::kHeight));
        EXPECT_EQ(form->pos(), QPoint(100 + (670 - 600) / 2, 80 + (480 - 440) / 2));
        EXPECT_EQ(form->SummaryCaptions[0]->text(), QString::fromUtf8("Befejezett játékok"));
        EXPECT_EQ(form->SummaryValues[0]->text(), QStringLiteral("0"));
        EXPECT_EQ(SpokenName(form->SummaryValues[1]), QString::fromUtf8("Átlagos eredmény: még nincs"));
        EXPECT_FALSE(form->Chart1->isVisible());
        EXPECT_TRUE(form->ChartNote->isVisible());
        EXPECT_TRUE(form->ChartNote->text().startsWith(QString::fromUtf8("Még nincs befejezett játék.")));
        EXPECT_EQ(SpokenName(form->Chart1), form->ChartNote->text());
        EXPECT_EQ(form->TodayHeading->text(), QString::fromUtf8("Mai napi tábla, 2026. 12. 09."));
        EXPECT_EQ(form->ShareLine->text(),
                  QString::fromUtf8("Itt lesz a megosztható sor, ha befejezted a mai napi táblát."));
        EXPECT_FALSE(form->PNGButton1->isVisible());
        EXPECT_FALSE(form->Problem->isVisible());
        // Nothing to share: Ctrl+C leaves the clipboard alone.
        QTest::keyClick(form->windowHandle(), Qt::Key_C, Qt::ControlModifier);
        EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
        // Esc closes the window and does not reach the main window.
        QTest::keyClick(form->windowHandle(), Qt::Key_Escape);
        EXPECT_FALSE(form->isVisible());
    });
    EXPECT_FALSE(window->isMinimized());
    InspectStatistics([](Tfrm_Statisztika* form) {
        QTest::keyClick(form->windowHandle(), Qt::Key_Return);
        EXPECT_FALSE(form->isVisible());
    });
    InspectStatistics([](Tfrm_Statisztika* form) {
        QTest::keyClick(form->windowHandle(), Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_FALSE(form->isVisible());
    });
    EXPECT_TRUE(GetGame().GameActive());
    EXPECT_TRUE(errors.texts.empty());
}

TEST_F(StatisticsWindow, TodaysBoardEndedWithF8IsSharedWithCtrlCAndTheCopyButton)
{
    // Ctrl+D deals today's board and names it on the word line.
    QTest::keyClick(MainHandle(), Qt::Key_D, Qt::ControlModifier);
    ASSERT_TRUE(GetGame().DailyBoard().has_value());
    EXPECT_EQ(window->Label1->text(), QString::fromUtf8("Napi tábla, 2026. 12. 09."));
    const char board = GetGame().GetBoard().At(1, 1).letter;

    // Two words, then "Befejeztem": the game goes into the record.
    auto& cells = GetGame().MutableBoard();
    const char* const word = "KOALA";
    for (int i = 0; i < 5; ++i)
        cells.At(1, 29 + i).letter = word[i];
    for (int r = 29; r <= 33; ++r)
        GetGame().ClickCell(1, r);
    QTest::keyClick(MainHandle(), Qt::Key_F7, Qt::ControlModifier);  // teaches KOALA
    GetGame().SubmitWord(MouseButton::Right);
    ASSERT_EQ(GetGame().TotalScore(), 35);
    {
        ModalWatch topTen;
        QTest::keyClick(MainHandle(), Qt::Key_F8);
        EXPECT_EQ(topTen.seen.size(), 1u);
    }
    EXPECT_EQ(ReadFile(RecordFile()), "2026-12-09T18:30:00\t35\t1\tKOALA\t35\t2026-12-09\r\n");

    // Played again for practice the same evening: the same board.
    QTest::keyClick(MainHandle(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(GetGame().GetBoard().At(1, 1).letter, board);
    {
        ModalWatch topTen;
        QTest::keyClick(MainHandle(), Qt::Key_F8);
    }

    const QString share = QString::fromUtf8("Vorpanta napi tábla, 2026. 12. 09.: 35 pont, 1 szó, legjobb szó: KOALA (35)");
    InspectStatistics([&](Tfrm_Statisztika* form) {
        EXPECT_EQ(form->SummaryValues[0]->text(), QStringLiteral("2"));
        EXPECT_EQ(form->TodayScore->text(), QString::fromUtf8("Eredményed: 35 pont, 1 szó"));
        EXPECT_EQ(form->TodayPractice->text(), QString::fromUtf8("Gyakorlás utána (nem számít): 0 pont"));
        EXPECT_TRUE(form->PNGButton1->isVisible());
        EXPECT_EQ(form->ShareLine->text(), share);
        EXPECT_EQ(SpokenName(form->ShareLine), share);
        EXPECT_EQ(SpokenName(form->PNGButton1), QString::fromUtf8("Másolás a vágólapra"));
        EXPECT_EQ(SpokenName(form->PNGButton8), QString::fromUtf8("Bezár"));
        // Two games draw a chart: both marked as today's board.
        ASSERT_TRUE(form->Chart1->isVisible());
        const QList<QAbstractSeries*> series = form->Chart1->chart()->series();
        ASSERT_EQ(series.size(), 3);
        EXPECT_EQ(static_cast<QScatterSeries*>(series[2])->count(), 2);

        QTest::keyClick(form->windowHandle(), Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), share);
        EXPECT_FALSE(form->CopyNote->text().isEmpty());
        QGuiApplication::clipboard()->clear();
        ClickThroughWindow(form->PNGButton1);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), share);
        EXPECT_TRUE(form->isVisible());
    });
    EXPECT_TRUE(errors.texts.empty());
}

TEST_F(StatisticsWindow, AGameThatCouldNotBeRecordedIsShownAndTheProblemSaid)
{
    // A folder where the record should be: nothing can be written there.
    ASSERT_EQ(::mkdir(RecordFile().c_str(), 0700), 0);
    GetGame().NewGame();
    {
        ModalWatch topTen;
        QTest::keyClick(MainHandle(), Qt::Key_F8);
    }
    InspectStatistics([](Tfrm_Statisztika* form) {
        EXPECT_EQ(form->SummaryValues[0]->text(), QStringLiteral("1"));
        EXPECT_TRUE(form->Problem->isVisible());
        EXPECT_TRUE(form->Problem->text().startsWith(QStringLiteral("Jatekok.txt: ")));
    });
    EXPECT_TRUE(errors.texts.empty());
}

TEST_F(StatisticsWindow, OneGameIsToldInWordsAndALongHistoryIsDrawn)
{
    const FinishedGame one{{{2026, 12, 1}, 20, 0, 0}, 1234, 12, "KOALA", 35, std::nullopt};
    WriteFile(RecordFile(), GameRecordLine(one));
    InspectStatistics([](Tfrm_Statisztika* form) {
        EXPECT_FALSE(form->Chart1->isVisible());
        EXPECT_EQ(form->ChartNote->text(), QString::fromUtf8("Eddig egy játékot fejeztél be, 1 234 ponttal. "
                                                             "A grafikon a második játéktól rajzolódik ki."));
        EXPECT_EQ(form->SummaryValues[3]->text(), QStringLiteral("KOALA, 35 pont"));
    });

    // 120 games, a damaged line among them.
    std::string history;
    for (int i = 0; i < 120; ++i) {
        FinishedGame game = one;
        game.finished.date.day = 1 + i % 28;
        game.score = 200 + 37 * i;
        if (i % 5 == 0)
            game.dailyBoard = game.finished.date;
        history += GameRecordLine(game);
        if (i == 50)
            history += "damaged\r\n";
    }
    WriteFile(RecordFile(), history);
    InspectStatistics([](Tfrm_Statisztika* form) {
        EXPECT_EQ(form->SummaryValues[0]->text(), QStringLiteral("120"));
        ASSERT_TRUE(form->Chart1->isVisible());
        EXPECT_FALSE(form->ChartNote->isVisible());
        EXPECT_EQ(form->ChartHeading->text(), QString::fromUtf8("Az utolsó 100 játék eredménye"));
        const QList<QAbstractSeries*> series = form->Chart1->chart()->series();
        ASSERT_EQ(series.size(), 3);
        EXPECT_EQ(static_cast<QLineSeries*>(series[0])->count(), 100);  // the scores
        EXPECT_EQ(static_cast<QLineSeries*>(series[1])->count(), 100);  // the running average
        EXPECT_EQ(static_cast<QScatterSeries*>(series[2])->count(), 20);  // today's boards
        EXPECT_EQ(static_cast<QLineSeries*>(series[0])->at(0), QPointF(21, 200 + 37 * 20));
        EXPECT_TRUE(SpokenName(form->Chart1).startsWith(QString::fromUtf8("Grafikon: a 21. játéktól a 120. játékig")));
    });
    EXPECT_TRUE(errors.texts.empty());
}

}  // namespace
