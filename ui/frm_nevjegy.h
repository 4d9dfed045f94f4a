// The about window: a picture window (PictureDialog) with the program's
// version over its artwork. It is opened modally by the main window's
// "Névjegy" command, a new one each time, centred over the main window, and
// destroys itself when it closes. It cannot be dragged, and Esc does not
// close it.
#pragma once

#include "ui/picture_dialog.h"

class QLabel;

class Tfrm_Nevjegy : public PictureDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 366;
    static constexpr int kHeight = 300;

    // `mainWindow` is the window the about window is centred over.
    explicit Tfrm_Nevjegy(QWidget* mainWindow);

    QLabel* ProductName = nullptr;

private:
    void CreateControls();
    void FormCreate();
};
