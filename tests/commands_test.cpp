// The main window's commands: the buttons along the top edge, the command
// list and its shortcuts, the web pages, and the modal windows the commands
// open.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPainter>

#include <filesystem>
#include <functional>

#include <sys/stat.h>

#include "main_window_fixture.h"
#include "ui/png_button.h"
#include "ui/png_image.h"

namespace {

using testing_support::ClickThroughWindow;
using testing_support::ModalWatch;
using testing_support::ReadFile;

class Commands : public testing_support::MainWindowFixture {
protected:
    TPNGButton* Button(const char* name) const
    {
        return window->findChild<TPNGButton*>(QString::fromLatin1(name));
    }

    std::size_t NewWordCount() const
    {
        return GetGame().Lists() ? GetGame().Lists()->NewWords().size() : 0;
    }

    // Whether the main window is ready for the next key: shown, not
    // minimised and the active window again.
    void ExpectActiveAgain() const
    {
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get(), 1000)) << "the main window did not get the keys back";
    }

    std::string Top10File() const { return folders.locations.dataDir + "/Top10.txt"; }
};

struct ButtonPlace {
    const char* name;
    QRect geometry;
    const char* picture;
};

const ButtonPlace kButtons[] = {
    {"PNGButton4", QRect(364, 12, 37, 37), "btn_new"},   {"PNGButton1", QRect(408, 12, 37, 37), "btn_stop"},
    {"PNGButton2", QRect(444, 12, 37, 37), "btn_top10"}, {"PNGButton3", QRect(488, 12, 37, 37), "btn_about"},
    {"PNGButton5", QRect(524, 12, 37, 37), "btn_news"},  {"PNGButton6", QRect(560, 12, 37, 37), "btn_home"},
    {"PNGButton7", QRect(608, 12, 25, 25), "btn_minimize"}, {"PNGButton8", QRect(632, 12, 25, 25), "btn_close"},
};

QImage Art(const char* name)
{
    return LoadPng(QStringLiteral(":/assets/art/%1.png").arg(QLatin1String(name)), false);
}

TEST_F(Commands, ButtonsStandAlongTheTopEdgeBlendedOverTheBackground)
{
    const QImage background = Art("main_background").convertToFormat(QImage::Format_ARGB32);
    const QImage shot = window->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    for (const ButtonPlace& place : kButtons) {
        SCOPED_TRACE(place.name);
        TPNGButton* button = Button(place.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->geometry(), place.geometry);
        EXPECT_EQ(button->ButtonLayout(), TPNGButton::pbsImageAbove);
        EXPECT_EQ(button->ButtonStyle(), TPNGButton::pbsNoFrame);
        EXPECT_EQ(button->ImageNormal(), Art(place.picture));
        EXPECT_TRUE(button->ImageDown().isNull());
        EXPECT_TRUE(button->ImageOver().isNull());
        EXPECT_TRUE(button->Caption().isEmpty());
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
        EXPECT_TRUE(button->toolTip().isEmpty());

        // What the player sees: the background with the picture blended over
        // it, 32 x 32 at (2, 2) in the big buttons, 16 x 16 at (4, 4) in the
        // small ones.
        QImage expected = background.copy(place.geometry);
        {
            QPainter painter(&expected);
            const int inset = place.geometry.width() == 37 ? 2 : 4;
            painter.drawImage(QPoint(inset, inset), Art(place.picture));
        }
        const QImage seen = shot.copy(place.geometry);
        int wrong = 0;
        for (int y = 0; y < seen.height(); ++y)
            for (int x = 0; x < seen.width(); ++x) {
                const QRgb a = seen.pixel(x, y), b = expected.pixel(x, y);
                if (std::abs(qRed(a) - qRed(b)) > 2 || std::abs(qGreen(a) - qGreen(b)) > 2 ||
                    std::abs(qBlue(a) - qBlue(b)) > 2)
                    ++wrong;
            }
        EXPECT_EQ(wrong, 0) << "pixels differ from the picture blended over the background";
    }
}

TEST_F(Commands, CommandListHoldsTwelveCommandsWithTheirTextsAndShortcuts)
{
    struct Expected {
        const char* name;
        const char* hint;
        QKeySequence shortcut;
    };
    const Expected expected[] = {
        {"aUj", "Új játék", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"aStop", "Befejeztem", QKeySequence(Qt::Key_F8)},
        {"aTop10", "Top10", QKeySequence(Qt::Key_F10)},
        {"aNevjegy", "Névjegy", {}},
        {"aUjdonsag", "Újdonságok honlapomon", {}},
        {"aHonlap", "Gurdala honlapja", {}},
        {"aMinimize", "Tálcára vele...", QKeySequence(Qt::Key_Escape)},
        {"aBezar", "Bezar", {}},
        {"aSzohozza", "Szóhozzá", QKeySequence(Qt::CTRL | Qt::Key_F7)},
        {"aSzavak", "Szavak", QKeySequence(Qt::Key_F2)},
        {"aNapi", "Napi tábla", QKeySequence(Qt::CTRL | Qt::Key_D)},
        {"aStatisztika", "Statisztika", QKeySequence(Qt::Key_F3)},
    };
    QObject* list = window->findChild<QObject*>(QStringLiteral("ActionList1"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->findChildren<QAction*>().size(), 12);
    for (const Expected& command : expected) {
        SCOPED_TRACE(command.name);
        auto* action = list->findChild<QAction*>(QString::fromLatin1(command.name));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->toolTip(), QString::fromUtf8(command.hint));
        EXPECT_EQ(action->shortcut(), command.shortcut);
        EXPECT_TRUE(window->actions().contains(action));
        // Only the commands without a button have a caption.
        const std::string name = command.name;
        const bool noButton = name == "aSzohozza" || name == "aSzavak" || name == "aNapi" || name == "aStatisztika";
        EXPECT_EQ(action->text(), noButton ? QString::fromUtf8(command.hint) : QString());
    }
}

TEST_F(Commands, NewsAndHomeButtonsOpenTheMakersPages)
{
    ClickThroughWindow(Button("PNGButton5"));
    ClickThroughWindow(Button("PNGButton6"));
    const std::vector<QString> expected = {QStringLiteral("http://" VORPANTA_WEB_HOST "/reklam.php"),
                                           QStringLiteral("http://" VORPANTA_WEB_HOST)};
    EXPECT_EQ(opened.addresses, expected);
    EXPECT_TRUE(errors.texts.empty());
}

TEST_F(Commands, NewGameButtonStartsAFreshGame)
{
    GetGame().Image1Click("i1i33");
    ASSERT_EQ(GetGame().GetSelection().path.size(), 1u);
    GetGame().SetGameActive(false);
    ClickThroughWindow(Button("PNGButton4"));
    EXPECT_TRUE(GetGame().GameActive());
    EXPECT_TRUE(GetGame().GetSelection().path.empty());
    EXPECT_EQ(window->Label2->text(), QString::fromUtf8("Eredmény: 0 pont"));
    EXPECT_TRUE(errors.texts.empty());
}

TEST_F(Commands, StopEndsTheGameOnceThenOnlyShowsTheTable)
{
    ModalWatch watch([this](QWidget*) {
        // The command's button is drawn unpressed before the window opened.
        EXPECT_EQ(Button("PNGButton1")->ButtonState(), TPNGButton::TButtonState::Normal);
        EXPECT_EQ(Button("PNGButton1")->PressedOffset(), 0);
    });
    const std::int32_t score = GetGame().TotalScore();

    ClickThroughWindow(Button("PNGButton1"));
    EXPECT_FALSE(GetGame().GameActive());
    EXPECT_EQ(GetGame().TotalScore(), score);
    ASSERT_EQ(watch.seen.size(), 1u) << "no top-ten window opened";
    ASSERT_TRUE(std::filesystem::exists(Top10File())) << "the ended game's score was not entered";
    const std::string afterEnd = ReadFile(Top10File());
    ExpectActiveAgain();

    // The game is over: the second press only shows the table.
    ClickThroughWindow(Button("PNGButton1"));
    EXPECT_FALSE(GetGame().GameActive());
    EXPECT_EQ(watch.seen.size(), 2u);
    EXPECT_EQ(ReadFile(Top10File()), afterEnd);

    ClickThroughWindow(Button("PNGButton2"));
    EXPECT_EQ(watch.seen.size(), 3u);
    EXPECT_EQ(ReadFile(Top10File()), afterEnd);
    EXPECT_TRUE(errors.texts.empty());
    ExpectActiveAgain();
}

TEST_F(Commands, ShortcutsNeedExactlyTheirModifiers)
{
    ModalWatch watch;
    // Something to teach: the word of one selected tile.
    GetGame().Image1Click("i1i33");
    const std::size_t words = NewWordCount();

    for (Qt::KeyboardModifiers wrong : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
        QTest::keyClick(MainHandle(), Qt::Key_F8, wrong);
        QTest::keyClick(MainHandle(), Qt::Key_F10, wrong);
    }
    QTest::keyClick(MainHandle(), Qt::Key_F7);
    QTest::keyClick(MainHandle(), Qt::Key_F7, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(MainHandle(), Qt::Key_F7, Qt::ControlModifier | Qt::AltModifier);
    QTest::keyClick(MainHandle(), Qt::Key_Escape, Qt::ShiftModifier);
    QTest::keyClick(MainHandle(), Qt::Key_N);
    QTest::keyClick(MainHandle(), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(MainHandle(), Qt::Key_N, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_TRUE(GetGame().GameActive());
    EXPECT_EQ(GetGame().GetSelection().path.size(), 1u) << "a new game was dealt";
    EXPECT_TRUE(watch.seen.empty());
    EXPECT_EQ(NewWordCount(), words);
    EXPECT_FALSE(window->isMinimized());

    QTest::keyClick(MainHandle(), Qt::Key_F7, Qt::ControlModifier);
    EXPECT_EQ(NewWordCount(), words + 1);

    QTest::keyClick(MainHandle(), Qt::Key_F8);
    EXPECT_FALSE(GetGame().GameActive());
    EXPECT_EQ(watch.seen.size(), 1u);
    ExpectActiveAgain();

    QTest::keyClick(MainHandle(), Qt::Key_F10);
    EXPECT_EQ(watch.seen.size(), 2u);
    ExpectActiveAgain();

    // Ctrl+N: "Új játék", after the end of a game as any time.
    QTest::keyClick(MainHandle(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(GetGame().GameActive());
    EXPECT_TRUE(GetGame().GetSelection().path.empty());

    const QPoint where = window->pos();
    QTest::keyClick(MainHandle(), Qt::Key_Escape);
    EXPECT_TRUE(window->isMinimized());
    window->showNormal();
    EXPECT_EQ(window->pos(), where);
    EXPECT_TRUE(errors.texts.empty());
}

TEST_F(Commands, MinimiseButtonMinimisesAndRestoringKeepsThePlace)
{
    window->move(140, 90);
    ClickThroughWindow(Button("PNGButton7"));
    EXPECT_TRUE(window->isMinimized());
    window->showNormal();
    EXPECT_FALSE(window->isMinimized());
    EXPECT_EQ(window->pos(), QPoint(140, 90));
}

TEST_F(Commands, CloseButtonClosesTheWindowAndSavesTheSettings)
{
    const bool quitOnClose = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    window->move(77, 55);
    ClickThroughWindow(Button("PNGButton8"));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(ReadFile(folders.locations.settingsFile), "[Screen]\r\nLeft=77\r\nTop=55\r\n\r\n[Game]\r\nHard=4\r\n");
    QApplication::setQuitOnLastWindowClosed(quitOnClose);
}

// Keys for the main window while a modal window is open go nowhere, whether
// they are typed into the modal window or reach the main window's own: the
// shortcuts and the keys of keyboard play. Esc and Enter are left out for a
// window they close.
void PressEveryKey(QWindow* target, bool escape = true, bool enter = true)
{
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Space, Qt::Key_Backspace})
        QTest::keyClick(target, key);
    if (enter)
        QTest::keyClick(target, Qt::Key_Return);
    QTest::keyClick(target, Qt::Key_F8);
    QTest::keyClick(target, Qt::Key_F10);
    QTest::keyClick(target, Qt::Key_F7, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_F2);
    if (escape)
        QTest::keyClick(target, Qt::Key_Escape);
}

TEST_F(Commands, KeysAreDeadWhileAModalWindowIsOpen)
{
    GetGame().Image1Click("i1i33");
    const std::vector<std::string> path = GetGame().GetSelection().path;
    const std::size_t words = NewWordCount();
    // The about window, the table viewed, the words window, the statistics,
    // and the table at the end of the game with the new row's name edit
    // holding the focus.
    struct Opening {
        const char* window;
        std::function<void()> open;
        bool escCloses;
        bool enterCloses;
    };
    const Opening openings[] = {
        {"Tfrm_Nevjegy", [&] { ClickThroughWindow(Button("PNGButton3")); }, false, true},
        {"Tfrm_Top10", [&] { QTest::keyClick(MainHandle(), Qt::Key_F10); }, true, true},
        {"Tfrm_Szavak", [&] { QTest::keyClick(MainHandle(), Qt::Key_F2); }, true, false},
        {"Tfrm_Statisztika", [&] { QTest::keyClick(MainHandle(), Qt::Key_F3); }, true, true},
        {"Tfrm_Top10", [&] { QTest::keyClick(MainHandle(), Qt::Key_F8); }, true, true},
    };
    for (const Opening& o : openings) {
        SCOPED_TRACE(o.window);
        ModalWatch watch([&](QWidget* modal) {
            const bool active = GetGame().GameActive();
            PressEveryKey(modal->windowHandle(), !o.escCloses, !o.enterCloses);
            PressEveryKey(MainHandle());
            EXPECT_TRUE(modal->isVisible()) << "a key closed the window";
            EXPECT_EQ(GetGame().GameActive(), active);
            EXPECT_EQ(NewWordCount(), words);
            EXPECT_EQ(GetGame().GetSelection().path, path);
            EXPECT_FALSE(window->Cursor().Shown());
            EXPECT_FALSE(window->isMinimized());
            EXPECT_EQ(QApplication::activeModalWidget(), modal);
        });
        o.open();
        EXPECT_EQ(watch.seen, std::vector<QString>{QString::fromLatin1(o.window)}) << "a shortcut opened another window";
        EXPECT_FALSE(window->isMinimized());
        ExpectActiveAgain();
    }
    EXPECT_FALSE(GetGame().GameActive());
    EXPECT_TRUE(errors.texts.empty());
}

TEST_F(Commands, ErrorInACommandIsShownAndTheWindowGoesOn)
{
    // A pipe where the top-ten file should be: reading it fails.
    std::filesystem::create_directories(folders.locations.dataDir);
    ASSERT_EQ(::mkfifo(Top10File().c_str(), 0644), 0);
    ModalWatch watch;
    QTest::keyClick(MainHandle(), Qt::Key_F10);
    ASSERT_EQ(errors.texts.size(), 1u);
    EXPECT_EQ(errors.texts[0].toStdString(), "Cannot open file \"" + Top10File() + "\". Not a regular file.");
    EXPECT_TRUE(watch.seen.empty()) << "the table was shown";
    EXPECT_TRUE(window->isVisible());

    // The window goes on taking commands.
    ClickThroughWindow(Button("PNGButton5"));
    EXPECT_EQ(opened.addresses.size(), 1u);
}

TEST_F(Commands, StopWithAFolderInPlaceOfTheTableShowsItAndReportsTheFailedWrite)
{
    // A folder is no file: the table shows its default lines, the name is
    // taken, and only writing the table fails.
    std::filesystem::create_directories(Top10File());
    ModalWatch watch;
    QTest::keyClick(MainHandle(), Qt::Key_F8);
    EXPECT_EQ(watch.seen.size(), 1u);
    ASSERT_EQ(errors.texts.size(), 1u);
    EXPECT_EQ(errors.texts[0].toStdString(), "Cannot create file \"" + Top10File() + "\". Is a directory.");
    EXPECT_FALSE(GetGame().GameActive()) << "a game that was ending stays ended";
    EXPECT_TRUE(std::filesystem::is_directory(Top10File()));
    EXPECT_TRUE(std::filesystem::is_empty(Top10File()));
    ExpectActiveAgain();

    // Viewing writes nothing, so it fails on nothing.
    QTest::keyClick(MainHandle(), Qt::Key_F10);
    EXPECT_EQ(watch.seen.size(), 2u);
    EXPECT_EQ(errors.texts.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_empty(Top10File()));
}

}  // namespace
