// Vorpanta: a word game. Start-up works out where the program and the
// player's data live, makes sure that no other game runs on the same data
// (a second start brings the running game to the front and ends), sets up
// the application, creates the main window and runs the event loop until the
// main window closes.
#include <QThread>

#include "app/data_locations.h"
#include "platform/game_lock.h"
#include "ui/application.h"
#include "ui/font_warm_up.h"
#include "ui/frm_main.h"
#include "ui/front_door.h"
#include "ui/picture_preload.h"
#include "ui/program_ending.h"

int main(int argc, char** argv)
{
    // Qt takes the first thread that asks for its thread data as its main
    // thread: this one, before any worker starts.
    QThread::currentThread();
    const DataLocations locations = DetectDataLocations();
    // One game per data folder; a second start touches none of its files.
    GameLock lock(locations.dataDir);
    if (lock.TakeOrKnock() == GameLock::Outcome::OtherInFront)
        return 0;
    // From here on a signal waits for the event loop, which saves and ends.
    ProgramEnding::CatchSignals();
    // Work that needs no display goes on while the application connects.
    StartReadingFontConfiguration();
    StartPreloadingPictures({Tfrm_Main::BackgroundPicture()});
    VorpantaApplication app(argc, argv);
    Tfrm_Main mainWindow(locations);
    ProgramEnding ending(mainWindow);
    FrontDoor door(lock, mainWindow, ending);
    mainWindow.show();
    const int result = app.exec();
    // Everything is saved: a start that waits for this game may go on.
    lock.Release();
    return result;
}
