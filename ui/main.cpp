// Vorpanta: a word game. Start-up works out where the program and the
// player's data live, sets up the application, creates the main window and
// runs the event loop until the main window closes.
#include <QThread>

#include "app/data_locations.h"
#include "ui/application.h"
#include "ui/font_warm_up.h"
#include "ui/frm_main.h"
#include "ui/picture_preload.h"

int main(int argc, char** argv)
{
    // Work that needs no display goes on while the application connects.
    // Qt takes the first thread that asks for its thread data as its main
    // thread: this one, before any worker starts.
    QThread::currentThread();
    StartReadingFontConfiguration();
    StartPreloadingPictures({Tfrm_Main::BackgroundPicture()});
    const DataLocations locations = DetectDataLocations();
    VorpantaApplication app(argc, argv);
    Tfrm_Main mainWindow(locations);
    mainWindow.show();
    return app.exec();
}
