#include <gtest/gtest.h>

#include <QCursor>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QStyleHints>
#include <QLabel>
#include <QTest>
#include <QWindow>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "platform/cp1250.h"
#include "test_support.h"
#include "ui/bmp_image.h"
#include "ui/frm_main.h"
#include "ui/picture_control.h"

namespace {

using testing_support::ErrorBoxRecorder;
using testing_support::GameFolders;
using testing_support::NoSlidePacing;
using testing_support::WriteFile;

class MainWindow : public ::testing::Test {
protected:
    // Every letter of the pool is a known one-letter word.
    void KnowEveryLetter()
    {
        std::string list;
        for (const char* letter : {"a", "á", "b", "c", "d", "e", "é", "f", "g", "h", "i", "j", "k", "l", "m", "n",
                                   "o", "ö", "p", "r", "s", "t", "u", "ü", "v", "y", "z"})
            list += std::string("\"") + letter + "\"\r\n";
        std::filesystem::create_directories(folders.locations.dataDir);
        WriteFile(folders.locations.dataDir + "/SzavakLista.txt", cp1250::fromUtf8(list));
    }

    std::unique_ptr<Tfrm_Main> Open()
    {
        auto window = std::make_unique<Tfrm_Main>(folders.locations);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }

    static QPoint Centre(const QWidget* w) { return w->geometry().center(); }

    GameFolders folders;
    ErrorBoxRecorder errors;
    NoSlidePacing noPacing;
};

TEST_F(MainWindow, OpensWithTheLabelsAndNinetyNamedTiles)
{
    auto w = Open();
    EXPECT_TRUE(errors.texts.empty());
    EXPECT_EQ(w->size(), QSize(670, 480));
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(w->pos(), QPoint(10, 10)) << "no settings file: the default position";
    EXPECT_EQ(w->Image1->geometry(), QRect(0, 0, 670, 480));
    EXPECT_FALSE(w->Image1->Picture().isNull());
    EXPECT_EQ(w->Label1->geometry(), QRect(40, 72, 221, 23));
    EXPECT_EQ(w->Label2->geometry(), QRect(40, 112, 221, 23));
    EXPECT_EQ(w->Label1->text(), "");
    EXPECT_EQ(w->Label2->text(), QString::fromUtf8("Eredmény: 0 pont"));
    EXPECT_TRUE(w->GetGame().GameActive());
    int tiles = 0;
    for (int c = 1; c <= 10; ++c)
        for (int r = 25; r <= 33; ++r) {
            auto* tile = w->findChild<PictureControl*>(QStringLiteral("i%1i%2").arg(c).arg(r));
            ASSERT_NE(tile, nullptr) << c << " " << r;
            EXPECT_EQ(tile->geometry(), QRect(300 + (c - 1) * 35, 63 + (r - 25) * 43, 35, 43));
            EXPECT_TRUE(tile->isVisible());
            EXPECT_FALSE(tile->Picture().isNull());
            ++tiles;
        }
    EXPECT_EQ(tiles, 90);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(folders.locations.dataDir)).isDir()) << "the data folder is made";
}

TEST_F(MainWindow, WordAndScoreLinesAreCentredYellowComicSans)
{
    auto w = Open();
    w->Label1->setText("ALMA (24)");
    const struct {
        QLabel* label;
        QRect geometry;
        bool bold;
    } lines[] = {{w->Label1, QRect(40, 72, 221, 23), true}, {w->Label2, QRect(40, 112, 221, 23), false}};
    for (const auto& line : lines) {
        SCOPED_TRACE(line.label->objectName().toStdString());
        EXPECT_EQ(line.label->geometry(), line.geometry);
        const QFont font = line.label->font();
        EXPECT_EQ(font.family(), "Comic Sans MS");
        EXPECT_EQ(font.pixelSize(), 16);
        EXPECT_EQ(font.bold(), line.bold);
        EXPECT_EQ(line.label->palette().color(QPalette::WindowText), QColor(255, 255, 0));
        EXPECT_EQ(line.label->alignment(), Qt::AlignCenter);

        // Drawn yellow, in the middle of the line.
        const QImage shot = line.label->grab().toImage();
        QRect ink;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                if (c.red() > 200 && c.green() > 200 && c.blue() < 60)
                    ink |= QRect(x, y, 1, 1);
            }
        ASSERT_FALSE(ink.isEmpty()) << "no yellow text";
        EXPECT_LE(std::abs(ink.left() - (shot.width() - 1 - ink.right())), 3) << ink.left() << ".." << ink.right();
        EXPECT_LE(std::abs(ink.top() - (shot.height() - 1 - ink.bottom())), 4) << ink.top() << ".." << ink.bottom();
    }
}

TEST_F(MainWindow, ALongWordShrinksTheWordLineUntilItFitsAndAShortOneGrowsItBack)
{
    auto w = Open();
    // Twenty of the widest letter: the longest words of the list, at their widest.
    const std::string longLine = std::string(20, 'W') + " (2000)";
    QFont full = w->Label1->font();
    full.setPixelSize(16);
    ASSERT_GT(QFontMetrics(full).horizontalAdvance(QString::fromStdString(cp1250::toUtf8(longLine))), 221);
    w->SetWordLine(longLine);
    EXPECT_EQ(w->Label1->text().toStdString(), cp1250::toUtf8(longLine));
    EXPECT_LT(w->Label1->font().pixelSize(), 16);
    EXPECT_LE(QFontMetrics(w->Label1->font()).horizontalAdvance(w->Label1->text()), w->Label1->width());
    EXPECT_TRUE(w->Label1->font().bold());
    w->SetWordLine("ALMA (24)");
    EXPECT_EQ(w->Label1->font().pixelSize(), 16);
}

TEST_F(MainWindow, AClickCountsOnlyWhenPressedAndReleasedOverTheSameTile)
{
    auto w = Open();
    QWindow* window = w->windowHandle();
    PictureControl* a = w->Tile(2, 30);
    PictureControl* b = w->Tile(6, 30);
    QTest::mousePress(window, Qt::LeftButton, {}, Centre(a));
    QTest::mouseRelease(window, Qt::LeftButton, {}, Centre(b));
    EXPECT_TRUE(w->GetGame().GetSelection().path.empty());
    EXPECT_EQ(w->Label1->text(), "");

    QTest::mouseClick(window, Qt::LeftButton, {}, Centre(a));
    EXPECT_EQ(w->GetGame().GetSelection().path, std::vector<std::string>{"2;30"});
    const std::string letter(1, w->GetGame().GetBoard().At(2, 30).letter);
    EXPECT_TRUE(w->Label1->text().startsWith(QString::fromStdString(cp1250::toUtf8(letter)) + " ("));
}

TEST_F(MainWindow, ADoubleClickSelectsOnce)
{
    auto w = Open();
    QWindow* window = w->windowHandle();
    const QPoint p = Centre(w->Tile(4, 31));
    QTest::mouseDClick(window, Qt::LeftButton, {}, p);
    EXPECT_EQ(w->GetGame().GetSelection().path, std::vector<std::string>{"4;31"});
    EXPECT_TRUE(w->GetGame().GetBoard().At(4, 31).selected);

    // A second separate click takes the letter back.
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
    QTest::mouseClick(window, Qt::LeftButton, {}, p);
    EXPECT_TRUE(w->GetGame().GetSelection().path.empty());
    EXPECT_EQ(w->Label1->text(), " (0)");
}

TEST_F(MainWindow, ARightButtonReleaseOverAnyTileSubmitsAKnownWord)
{
    KnowEveryLetter();
    auto w = Open();
    QWindow* window = w->windowHandle();
    const char letter = w->GetGame().GetBoard().At(7, 33).letter;
    const char above = w->GetGame().GetBoard().At(7, 32).letter;
    QTest::mouseClick(window, Qt::LeftButton, {}, Centre(w->Tile(7, 33)));
    QTest::mouseClick(window, Qt::RightButton, {}, Centre(w->Tile(1, 25)));
    const int points = w->GetGame().TotalScore();
    EXPECT_GE(points, 1);
    EXPECT_EQ(w->Label2->text(), QString::fromUtf8("Eredmény: %1 pont").arg(points));
    EXPECT_EQ(w->Label1->text(), " (0)");
    EXPECT_EQ(w->GetGame().GetBoard().At(7, 33).letter, above) << "the letter above fell into the gap";
    (void)letter;
    for (int r = 25; r <= 33; ++r) {
        EXPECT_TRUE(w->Tile(7, r)->isVisible()) << "the reserve keeps the column full";
        EXPECT_EQ(w->Tile(7, r)->pos(), QPoint(300 + 6 * 35, 63 + (r - 25) * 43)) << "slid tiles are put back";
    }
    EXPECT_FALSE(w->GetGame().GetBoard().At(7, 33).selected);
}

// Records where a tile stood, and what it showed, each time it was painted.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(PictureControl* tile) : tile_(tile) { tile->installEventFilter(this); }
    std::vector<int> tops;
    std::vector<QImage> pictures;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == tile_ && event->type() == QEvent::Paint) {
            tops.push_back(tile_->y());
            pictures.push_back(tile_->Picture());
        }
        return false;
    }

private:
    PictureControl* tile_;
};

TEST_F(MainWindow, ASlidingTileIsPaintedAtEveryStepAboveTheTileBelowAndPutBackHidden)
{
    KnowEveryLetter();
    auto w = Open();
    PictureControl* sliding = w->Tile(4, 32);
    PictureControl* below = w->Tile(4, 33);
    const QPoint home = sliding->pos();
    PaintWatch watch(sliding);
    // Sliding by hand, as a submission does for each letter that falls.
    w->SlideTile(4, 32, w->GetGame().TilePicturePath(w->GetGame().GetBoard().At(4, 32).letter, false));
    std::vector<int> expected;
    for (int step = 1; step <= 21; ++step)
        expected.push_back(home.y() + 2 * step);
    EXPECT_EQ(watch.tops, expected) << "each of the 21 steps is painted before the next";
    EXPECT_FALSE(sliding->isVisible());
    EXPECT_EQ(sliding->pos(), home);
    const QObjectList& order = w->children();
    EXPECT_GT(order.indexOf(sliding), order.indexOf(below)) << "the sliding tile is stacked above the one below";

    // A picture that cannot be read: the tile slides as it is, and the
    // redraw that follows reports the file.
    PictureControl* other = w->Tile(4, 30);
    const QImage shown = other->Picture();
    PaintWatch again(other);
    EXPECT_NO_THROW(w->SlideTile(4, 30, folders.locations.programDir + "/Ico/nQ.bmp"));
    EXPECT_EQ(again.tops.size(), 21u);
    EXPECT_EQ(other->Picture(), shown);
    EXPECT_TRUE(errors.texts.empty());
}

TEST_F(MainWindow, ATileSlidingFromTheTopRowShowsTheLetterThatFallsNotTheWordsLetter)
{
    // Every pair of letters is a known word.
    std::string list;
    for (char first = 'a'; first <= 'z'; ++first)
        for (char second = 'a'; second <= 'z'; ++second)
            list += std::string("\"") + first + second + "\"\r\n";
    std::filesystem::create_directories(folders.locations.dataDir);
    WriteFile(folders.locations.dataDir + "/SzavakLista.txt", list);
    auto w = Open();
    Board& board = w->GetGame().MutableBoard();
    const char top = 'A', second = 'B', falling = 'K';
    board.At(4, 25).letter = top;
    board.At(4, 26).letter = second;
    board.At(4, 24).letter = falling;  // the last reserve letter
    w->GetGame().RedrawCell(4, 25);
    w->GetGame().RedrawCell(4, 26);
    PictureControl* tile = w->Tile(4, 25);
    const int home = tile->y();
    QWindow* window = w->windowHandle();
    QTest::mouseClick(window, Qt::LeftButton, {}, Centre(w->Tile(4, 25)));
    QTest::mouseClick(window, Qt::LeftButton, {}, Centre(w->Tile(4, 26)));
    const QImage selected = tile->Picture();
    PaintWatch watch(tile);
    QTest::mouseClick(window, Qt::RightButton, {}, Centre(w->Tile(4, 26)));
    ASSERT_GT(w->GetGame().TotalScore(), 0) << "the word was taken";

    const QImage normal = DecodeBmp(testing_support::ReadFile(folders.locations.programDir + "/Ico/nK.bmp"));
    ASSERT_FALSE(normal.isNull());
    ASSERT_NE(normal, selected);
    int slideSteps = 0;
    for (std::size_t i = 0; i < watch.tops.size(); ++i) {
        if (watch.tops[i] == home)
            continue;
        ++slideSteps;
        EXPECT_EQ(watch.pictures[i], normal) << "step at y " << watch.tops[i];
    }
    EXPECT_EQ(slideSteps, 21);
    EXPECT_EQ(board.At(4, 26).letter, falling);
}

TEST_F(MainWindow, AMissingTilePictureIsReportedAndTheWindowStillOpens)
{
    KnowEveryLetter();
    for (const char* letter : {"A", "E", "T", "L", "S", "K", "I", "O", "N", "Z"})
        std::remove((folders.locations.programDir + "/Ico/n" + letter + ".bmp").c_str());
    for (const char* letter : {"Á", "B", "C", "D", "É", "F", "G", "H", "J", "M", "Ö", "P", "R", "U", "Ü", "V", "Y"})
        std::remove((folders.locations.programDir + "/Ico/n" + letter + ".bmp").c_str());
    auto w = Open();
    ASSERT_EQ(errors.texts.size(), 1u);
    EXPECT_TRUE(errors.texts[0].startsWith("Cannot open file \"" + QString::fromStdString(folders.locations.programDir) +
                                           "/Ico/n"));
    EXPECT_TRUE(errors.texts[0].endsWith(".bmp\". No such file or directory."));
    EXPECT_TRUE(w->isVisible());
    // The remaining start-up steps were skipped: no word lists, no game.
    EXPECT_EQ(w->GetGame().Lists(), nullptr);
    EXPECT_FALSE(w->GetGame().GameActive());
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, Centre(w->Tile(1, 25)));
    QTest::mouseClick(w->windowHandle(), Qt::RightButton, {}, Centre(w->Tile(1, 25)));
    w->GetGame().AddLastWord();
    EXPECT_EQ(w->GetGame().TotalScore(), 0);
}

// Which buttons drag and what ends a drag is the top-ten window's test, on
// the same DragWindow.
TEST_F(MainWindow, DraggingTheBackgroundWithTheLeftButtonMovesTheWindow)
{
    auto w = Open();
    QWindow* window = w->windowHandle();
    const QPoint start = w->pos();
    const QPoint grip(150, 300);  // on the background, left of the board
    QCursor::setPos(w->mapToGlobal(grip));
    QTest::mousePress(window, Qt::LeftButton, {}, grip);
    QCursor::setPos(QCursor::pos() + QPoint(40, 25));
    QTest::mouseMove(window, grip + QPoint(40, 25));
    EXPECT_EQ(w->pos(), start + QPoint(40, 25));
    QTest::mouseRelease(window, Qt::LeftButton, {}, grip + QPoint(40, 25));
}

TEST_F(MainWindow, DraggingOnATileOrALabelDoesNotMoveTheWindow)
{
    auto w = Open();
    QWindow* window = w->windowHandle();
    const QPoint start = w->pos();
    for (const QPoint grip : {Centre(w->Tile(3, 28)), Centre(w->Label2)}) {
        QCursor::setPos(w->mapToGlobal(grip));
        QTest::mousePress(window, Qt::LeftButton, {}, grip);
        QCursor::setPos(QCursor::pos() + QPoint(30, 30));
        QTest::mouseMove(window, grip + QPoint(30, 30));
        QTest::mouseRelease(window, Qt::LeftButton, {}, grip + QPoint(30, 30));
        EXPECT_EQ(w->pos(), start);
    }
}

TEST_F(MainWindow, OpensAtTheSavedPlaceUnlessNothingOfItCouldBeReached)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const int right = area.x() + area.width();
    const int bottom = area.y() + area.height();
    struct Case {
        QPoint saved;
        QPoint opened;
    };
    // The edge cases, on one or two screens, are window_placement_test's.
    const Case cases[] = {
        // Dragged far off, with a part left to take hold of: kept exactly.
        {QPoint(area.x() - 500, area.y() + 20), QPoint(area.x() - 500, area.y() + 20)},
        // Nothing left within reach (a screen gone or shrunk): wholly on the screen.
        {QPoint(right + 5000, bottom + 3000), QPoint(right - 670, bottom - 480)},
    };
    std::filesystem::create_directories(folders.locations.dataDir);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saved.x());
        const std::string left = std::to_string(c.saved.x());
        const std::string top = std::to_string(c.saved.y());
        WriteFile(folders.locations.settingsFile, "[Screen]\r\nLeft=" + left + "\r\nTop=" + top + "\r\n");
        EXPECT_EQ(Open()->pos(), c.opened);
    }
}

TEST_F(MainWindow, ClosingSavesSettingsAndWordLists)
{
    auto w = Open();
    w->move(123, 77);
    w->GetGame().AddLastWord();
    EXPECT_TRUE(w->close());
    EXPECT_EQ(testing_support::ReadFile(folders.locations.settingsFile),
              "[Screen]\r\nLeft=123\r\nTop=77\r\n\r\n[Game]\r\nHard=4\r\n");
    EXPECT_EQ(testing_support::ReadFile(folders.locations.dataDir + "/szavaklista.txt"), "\"\"\r\n");
    EXPECT_EQ(testing_support::ReadFile(folders.locations.dataDir + "/ujszavaklista.txt"), "\"\"\r\n");

    // The next run opens where this one was left.
    auto again = Open();
    EXPECT_EQ(again->pos(), QPoint(123, 77));
}

TEST_F(MainWindow, AFirstStartKnowsTheShippedWordsAtOnceAndClosesOnTheWholeList)
{
    std::string shipped;
    char entry[16];
    for (int i = 0; i < 200000; ++i)
        shipped.append(entry, static_cast<std::size_t>(std::snprintf(entry, sizeof entry, "\"a%06d\"\r\n", i)));
    std::filesystem::create_directories(folders.locations.programDir + "/dictionary");
    WriteFile(folders.locations.programDir + "/dictionary/SzavakLista.txt", shipped);

    auto w = Open();
    EXPECT_TRUE(errors.texts.empty());
    ASSERT_NE(w->GetGame().Lists(), nullptr);
    EXPECT_TRUE(w->GetGame().Lists()->IsKnown("A199999"));
    w->GetGame().AddLastWord();  // the entry of two quotes, first in order
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(testing_support::ReadFile(folders.locations.dataDir + "/SzavakLista.txt") == "\"\"\r\n" + shipped);
    EXPECT_FALSE(std::filesystem::exists(folders.locations.dataDir + "/szavaklista.txt"));
}

}  // namespace
