// The about window: a small borderless picture window with the program's
// version over its artwork and a close button. It is opened modally by the
// main window's "Névjegy" command, a new one each time, centred over the main
// window, and destroys itself when it closes. It cannot be dragged, and Esc
// does not close it.
#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class PictureControl;
class TPNGButton;

class Tfrm_Nevjegy : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 366;
    static constexpr int kHeight = 300;

    // `mainWindow` is the window the about window is centred over.
    explicit Tfrm_Nevjegy(QWidget* mainWindow);

    PictureControl* Image1 = nullptr;
    QLabel* ProductName = nullptr;
    TPNGButton* PNGButton8 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void FormCreate();
    void SpeedButton1Click();
    void CentreOverMainWindow();

    QPointer<QWidget> mainWindow_;
};
