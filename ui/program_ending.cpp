#include "ui/program_ending.h"

#include <QApplication>
#if QT_CONFIG(sessionmanager)
#include <QSessionManager>
#endif
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include "ui/frm_main.h"
#include "ui/picture_dialog.h"

namespace {

int g_signalPipe[2] = {-1, -1};

// Only what is safe in a signal handler: one write to a pipe that never
// blocks (a full pipe already holds a request).
void OnSignal(int number)
{
    const int savedErrno = errno;
    const char byte = static_cast<char>(number);
    (void)!::write(g_signalPipe[1], &byte, 1);
    errno = savedErrno;
}

// How long the ending waits for the windows before the main window to close
// (10 ms steps) before it closes the main window anyway.
constexpr int kMostSteps = 300;

}  // namespace

void ProgramEnding::CatchSignals()
{
    if (g_signalPipe[0] >= 0 || ::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted system calls (a save's write, an fsync) go on.
    action.sa_flags = SA_RESTART;
    for (int number : {SIGTERM, SIGHUP, SIGINT}) {
        // A signal ignored from the start stays ignored: "nohup vorpanta"
        // outlives its terminal, and a game started in the background of a
        // script does not end at the script's Ctrl+C.
        struct sigaction before {};
        if (::sigaction(number, nullptr, &before) == 0 && before.sa_handler == SIG_IGN)
            continue;
        ::sigaction(number, &action, nullptr);
    }
}

ProgramEnding::ProgramEnding(Tfrm_Main& window) : window_(window)
{
    if (g_signalPipe[0] >= 0) {
        notifier_ = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &ProgramEnding::ReadSignals);
    }
#if QT_CONFIG(sessionmanager)
    // The desktop session is ending: save now, as a close would.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { Begin(); });
#endif
    // Told to quit in some other way: the main window still saves what it
    // holds (once; a close that ran already is not repeated).
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        if (!window_.Closed())
            window_.CloseToEnd();
    });
}

ProgramEnding::~ProgramEnding() = default;

void ProgramEnding::ReadSignals()
{
    char bytes[64];
    bool any = false;
    while (::read(g_signalPipe[0], bytes, sizeof bytes) > 0)
        any = true;
    if (any)
        Begin();
}

void ProgramEnding::Begin()
{
    if (started_)
        return;
    started_ = true;
    Step();
}

void ProgramEnding::Step()
{
    const bool patient = ++steps_ < kMostSteps;
    // A menu or a modal window runs an event loop of its own, which must
    // end before the main window closes: each is closed as the player
    // would close it, and the main window closes once the program's own
    // event loop runs again.
    if (patient) {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
            QTimer::singleShot(10, this, &ProgramEnding::Step);
            return;
        }
        if (QWidget* modal = QApplication::activeModalWidget()) {
            if (auto* dialog = qobject_cast<PictureDialog*>(modal))
                dialog->PressCloseButton();
            else
                modal->close();
            QTimer::singleShot(10, this, &ProgramEnding::Step);
            return;
        }
        if (QThread::currentThread()->loopLevel() > 1) {
            QTimer::singleShot(10, this, &ProgramEnding::Step);
            return;
        }
    }
    window_.CloseToEnd();
}
