#include "ui/front_door.h"

#include <QSocketNotifier>

#include "platform/game_lock.h"
#include "ui/frm_main.h"
#include "ui/program_ending.h"

FrontDoor::FrontDoor(GameLock& lock, Tfrm_Main& window, const ProgramEnding& ending)
    : lock_(lock), window_(window), ending_(ending)
{
    if (lock_.Socket() < 0)
        return;
    notifier_ = new QSocketNotifier(lock_.Socket(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &FrontDoor::Answer);
}

void FrontDoor::Answer()
{
    const bool ending = ending_.Started() || window_.Closed();
    if (lock_.AnswerKnocks(ending ? GameLock::Answer::Ending : GameLock::Answer::InFront) > 0 && !ending)
        window_.BringToFront();
}
