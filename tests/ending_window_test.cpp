// The main window's endings from outside and the window manager's requests:
// a signal saves as a close does, a settings file that cannot be written
// keeps nothing open then, another start brings the window back, and a
// maximise or full-screen request leaves the window where it stood.
#include <csignal>
#include <filesystem>

#include "main_window_fixture.h"
#include "ui/program_ending.h"

namespace {

using testing_support::ReadFile;

class EndingWindow : public testing_support::MainWindowFixture {};

TEST_F(EndingWindow, ASignalClosesTheWindowWithTheSavesOfAClose)
{
    // The handlers are this test's only; the process had the defaults.
    struct sigaction before[3] = {};
    const int numbers[3] = {SIGTERM, SIGHUP, SIGINT};
    for (int i = 0; i < 3; ++i)
        ::sigaction(numbers[i], nullptr, &before[i]);
    ProgramEnding::CatchSignals();
    ProgramEnding ending(*window);
    window->move(230, 150);
    QApplication::processEvents();
    GetGame().AddLastWord();

    ::raise(SIGTERM);
    ::raise(SIGHUP);  // a second one changes nothing
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->Closed(); }, 5000));
    EXPECT_TRUE(ending.Started());
    for (int i = 0; i < 3; ++i)
        ::sigaction(numbers[i], &before[i], nullptr);

    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(ReadFile(folders.locations.settingsFile), "[Screen]\r\nLeft=230\r\nTop=150\r\n\r\n[Game]\r\nHard=4\r\n");
    EXPECT_EQ(ReadFile(folders.locations.dataDir + "/szavaklista.txt"), "\"\"\r\n");
    EXPECT_EQ(ReadFile(folders.locations.dataDir + "/ujszavaklista.txt"), "\"\"\r\n");
    EXPECT_TRUE(errors.texts.empty());
}

TEST_F(EndingWindow, AnApplicationToldToQuitSavesWhatTheWindowHoldsOnce)
{
    ProgramEnding ending(*window);
    window->move(260, 170);
    QApplication::processEvents();
    GetGame().AddLastWord();
    // As the session manager's "die" or any other quit reaches it.
    ASSERT_TRUE(QMetaObject::invokeMethod(qApp, "aboutToQuit", Qt::DirectConnection));
    EXPECT_TRUE(window->Closed());
    EXPECT_EQ(ReadFile(folders.locations.settingsFile), "[Screen]\r\nLeft=260\r\nTop=170\r\n\r\n[Game]\r\nHard=4\r\n");
    EXPECT_EQ(ReadFile(folders.locations.dataDir + "/ujszavaklista.txt"), "\"\"\r\n");
    // Closed already: a second quit saves nothing again.
    std::filesystem::remove(folders.locations.settingsFile);
    ASSERT_TRUE(QMetaObject::invokeMethod(qApp, "aboutToQuit", Qt::DirectConnection));
    EXPECT_FALSE(std::filesystem::exists(folders.locations.settingsFile));
}

TEST_F(EndingWindow, AnEndingFromOutsideSavesTheWordListsEvenWhenTheSettingsCannotBeWritten)
{
    // A folder where the settings file would be: it can never be written.
    std::filesystem::create_directories(folders.locations.settingsFile);
    GetGame().AddLastWord();
    window->CloseToEnd();
    EXPECT_TRUE(window->Closed());
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(errors.texts.empty()) << "no message waits for a player who is gone";
    EXPECT_EQ(ReadFile(folders.locations.dataDir + "/ujszavaklista.txt"), "\"\"\r\n");
}

TEST_F(EndingWindow, AnotherStartBringsTheWindowBackFromTheTaskBar)
{
    window->move(180, 120);
    window->showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isMinimized(); }, 2000));
    window->BringToFront();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isMinimized() && window->isVisible(); }, 2000));
    EXPECT_EQ(window->pos(), QPoint(180, 120));
}

TEST_F(EndingWindow, AMaximiseOrFullScreenRequestLeavesTheWindowItsSizeAndPlace)
{
    window->move(210, 140);
    // A place counts once the window has stood still there for a moment.
    QTest::qWait(400);
    // The platform applies the state the way a window manager does: the
    // window is given the whole screen.
    for (Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowFullScreen}) {
        SCOPED_TRACE(state);
        MainHandle()->setWindowStates(state);
        QApplication::processEvents();
        EXPECT_EQ(window->windowState(), Qt::WindowNoState);
        EXPECT_EQ(window->geometry(), QRect(210, 140, 670, 480));
    }
    EXPECT_TRUE(window->close());
    EXPECT_EQ(ReadFile(folders.locations.settingsFile), "[Screen]\r\nLeft=210\r\nTop=140\r\n\r\n[Game]\r\nHard=4\r\n");
}

}  // namespace
