// The about window: a picture window (PictureDialog) with the program's
// version over its artwork. It is opened modally by the main window's
// "Névjegy" command, a new one each time, centred over the main window, and
// destroys itself when it closes. It cannot be dragged; Enter closes it as
// its close button does, Esc does not. A screen reader reads the maker's
// notice and the home page that the picture shows.
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
    QWidget* Notice = nullptr;    // the maker's notice, as the picture shows it
    QWidget* HomePage = nullptr;  // the home page's address, as the picture shows it

private:
    void CreateControls();
    void FormCreate();
};
