// The skinned modal window the main window opens (the top-ten, words and
// about windows, and any window of that kind to come): a borderless dialog
// whose picture fills it, with the orange close button standing on the
// picture. Whenever it is shown it stands centred over its owner, moved the
// least distance that keeps it wholly on the owner's screen. It may be
// dragged by its picture; the close button ends its modal run with the
// result 1; Esc and Enter each either close it as the close button does or
// do nothing, and never reach the owner. A new window is made for every
// showing.
//
// For a screen reader it is a dialog named by its caption; while no control
// of it has the keyboard focus, its close button ("Bezár") holds the focus,
// so that something named is focused whenever the window is active.
//
// A new window of this kind in a few lines: derive from PictureDialog, hand
// its look to the constructor, and make its own controls on it (they stand
// above the picture, which is made first):
//
//   class Tfrm_Statisztika : public PictureDialog {
//       Q_OBJECT
//   public:
//       explicit Tfrm_Statisztika(QWidget* owner)
//           : PictureDialog(owner, {.name = "frm_Statisztika", .caption = "Statisztika",
//                                   .size = {400, 320}, .picture = ":/assets/art/statisztika_background.png",
//                                   .closeButton = {359, 16}})
//       {
//           GamesPlayed = new QLabel(this);
//           GamesPlayed->setGeometry(32, 84, 200, 20);
//       }
//       QLabel* GamesPlayed = nullptr;
//   };
//
//   Tfrm_Statisztika form(mainWindow);
//   form.exec();
//
// What the window does on showing beyond standing in its place (giving a
// control the focus, scrolling a list) goes into its own showEvent, which
// calls this class's first.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QString>

#include "ui/window_drag.h"

class PictureControl;
class TPNGButton;

struct PictureDialogLook {
    QString name;         // the window's object name, "frm_" and its own name
    QString caption;      // its title, which the window list and task bar show
    QSize size;           // its client area in pixels, all of it picture
    QString picture;      // the resource path of its background picture
    QPoint closeButton;   // the top left corner of the 25 × 25 close button
    bool draggable = true;   // its picture drags it
    bool escCloses = false;    // Esc closes it rather than doing nothing
    bool enterCloses = false;  // Enter (either key) closes it rather than doing nothing
};

class PictureDialog : public QDialog, protected DragWindow {
    Q_OBJECT
public:
    // `owner` is the window it stands over (may be null: then it stands where
    // it is moved, or centred on the screen).
    PictureDialog(QWidget* owner, const PictureDialogLook& look);

    PictureControl* Image1 = nullptr;   // the background picture
    TPNGButton* PNGButton8 = nullptr;   // the close button, read out as "Bezár"

    // Closes the window exactly as a click on its close button does (when
    // the program is ended from outside).
    void PressCloseButton() { SpeedButton1Click(); }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // The close button's click handler: modal result 1.
    void SpeedButton1Click();

private:
    // Tells a screen reader where the focus is once the window is active.
    void ShowFocus();

    QPointer<QWidget> owner_;
    bool escCloses_;
    bool enterCloses_;
};
