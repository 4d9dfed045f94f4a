// Ending the program from outside: SIGTERM (a logout, a shutdown, kill),
// SIGHUP (the terminal closed), SIGINT (Ctrl+C in the terminal) and the
// desktop session's end end the game exactly as a close of its main window
// does. A modal window that is open is closed first as its close button
// would close it (the top-ten window keeps the name typed into it), then the
// main window closes: the settings, then both word lists are saved, and the
// program ends.
//
// The signal handler itself only writes the signal's number into a pipe;
// the event loop reads it and does the work, so no file is touched inside a
// handler. A second request while the ending runs changes nothing: the
// saves run to their end.
#pragma once

#include <QObject>

class QSocketNotifier;
class Tfrm_Main;

class ProgramEnding : public QObject {
    Q_OBJECT
public:
    // Catches the three signals from now on (they wait in the pipe until a
    // ProgramEnding reads them), except one that the program was started
    // with ignored. Call it as early as possible, once.
    static void CatchSignals();

    // Ends `window`'s game when asked to; also when the desktop session
    // ends, or when the application is told to quit some other way.
    explicit ProgramEnding(Tfrm_Main& window);
    ~ProgramEnding() override;

    // Starts the ending (again: nothing).
    void Begin();
    // Whether the ending has begun.
    bool Started() const { return started_; }

private:
    // Closes what stands before the main window, then the main window.
    void Step();
    void ReadSignals();

    Tfrm_Main& window_;
    QSocketNotifier* notifier_ = nullptr;
    bool started_ = false;
    int steps_ = 0;
};
