#include "ui/frm_nevjegy.h"

#include <QKeyEvent>
#include <QLabel>
#include <QShowEvent>

#include "ui/accessible_controls.h"
#include "ui/error_box.h"
#include "ui/picture_control.h"
#include "ui/png_button.h"
#include "ui/png_image.h"
#include "ui/window_position.h"

Tfrm_Nevjegy::Tfrm_Nevjegy(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint), mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("frm_Nevjegy"));
    setWindowTitle(QString::fromUtf8("Névjegy"));
    setFixedSize(kWidth, kHeight);
    setModal(true);
    QFont windowFont(QStringLiteral("Tahoma"));
    windowFont.setPixelSize(11);
    setFont(windowFont);
    // Closing frees the window: no about window outlives its showing.
    setAttribute(Qt::WA_DeleteOnClose);
    CreateControls();
    FormCreate();
    // Placed now, so the dialog's own placement logic stays out of it.
    CentreOverMainWindow();
}

void Tfrm_Nevjegy::CreateControls()
{
    // The artwork has no mouse handlers, so the window cannot be dragged.
    Image1 = new PictureControl(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, kWidth, kHeight);
    Image1->SetPicture(LoadPng(QStringLiteral(":/assets/art/about_background.png")));

    ProductName = new QLabel(this);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    ProductName->setGeometry(20, 116, 145, 41);
    ProductName->setAttribute(Qt::WA_TranslucentBackground);
    ProductName->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ProductName->setTextFormat(Qt::PlainText);
    QFont labelFont(QStringLiteral("Comic Sans MS"));
    labelFont.setPixelSize(15);
    labelFont.setBold(true);
    ProductName->setFont(labelFont);
    QPalette palette = ProductName->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 255, 0));
    ProductName->setPalette(palette);

    PNGButton8 = new TPNGButton(this);
    PNGButton8->setObjectName(QStringLiteral("PNGButton8"));
    PresentAsButton(PNGButton8, "OnClick");
    PNGButton8->setAccessibleName(QString::fromUtf8("Bezár"));
    PNGButton8->setGeometry(329, 12, 25, 25);
    PNGButton8->SetButtonLayout(TPNGButton::pbsImageAbove);
    PNGButton8->SetButtonStyle(TPNGButton::pbsNoFrame);
    PNGButton8->SetImageNormal(LoadPng(QStringLiteral(":/assets/art/btn_close.png")));
    connect(PNGButton8, &TPNGButton::OnClick, this, [this] { RunGuarded(this, [this] { SpeedButton1Click(); }); });
}

void Tfrm_Nevjegy::FormCreate()
{
    ProductName->setText(QStringLiteral(VORPANTA_VERSION_TEXT));
}

void Tfrm_Nevjegy::SpeedButton1Click()
{
    done(1);
}

void Tfrm_Nevjegy::CentreOverMainWindow()
{
    // Centred, and wholly on the main window's screen.
    PlaceOverOwner(this, mainWindow_);
}

void Tfrm_Nevjegy::showEvent(QShowEvent* event)
{
    // The main window may have been dragged since this window was made.
    if (!event->spontaneous())
        CentreOverMainWindow();
    QDialog::showEvent(event);
}

void Tfrm_Nevjegy::keyPressEvent(QKeyEvent* event)
{
    // The window has no cancel command: Esc neither closes it nor reaches
    // the main window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
