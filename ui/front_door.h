// Where a second start of the game knocks (see GameLock): the running game
// brings its window to the front, or, once it is ending, says so, and the
// new start waits until the saves are done.
#pragma once

#include <QObject>

class GameLock;
class ProgramEnding;
class QSocketNotifier;
class Tfrm_Main;

class FrontDoor : public QObject {
    Q_OBJECT
public:
    FrontDoor(GameLock& lock, Tfrm_Main& window, const ProgramEnding& ending);

private:
    void Answer();

    GameLock& lock_;
    Tfrm_Main& window_;
    const ProgramEnding& ending_;
    QSocketNotifier* notifier_ = nullptr;
};
