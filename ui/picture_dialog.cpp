#include "ui/picture_dialog.h"

#include <QKeyEvent>
#include <QShowEvent>

#include "ui/accessible_controls.h"
#include "ui/picture_control.h"
#include "ui/png_button.h"
#include "ui/png_image.h"
#include "ui/window_position.h"

PictureDialog::PictureDialog(QWidget* owner, const PictureDialogLook& look)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), DragWindow(this), owner_(owner),
      escCloses_(look.escCloses),
      enterCloses_(look.enterCloses)
{
    setObjectName(look.name);
    setWindowTitle(look.caption);
    setFixedSize(look.size);
    setModal(true);

    Image1 = new PictureControl(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(QRect(QPoint(0, 0), look.size));
    Image1->SetPicture(LoadPng(look.picture));
    if (look.draggable)
        ConnectDragPicture(Image1);

    PNGButton8 = new TPNGButton(this);
    PNGButton8->setObjectName(QStringLiteral("PNGButton8"));
    PresentAsButton(PNGButton8, "OnClick", Focusable::Yes);
    PNGButton8->setAccessibleName(QString::fromUtf8("Bezár"));
    PNGButton8->setGeometry(QRect(look.closeButton, QSize(25, 25)));
    PNGButton8->SetButtonLayout(TPNGButton::pbsImageAbove);
    PNGButton8->SetButtonStyle(TPNGButton::pbsNoFrame);
    PNGButton8->SetImageNormal(LoadPng(QStringLiteral(":/assets/art/btn_close.png")));
    connect(PNGButton8, &TPNGButton::OnClick, this, [this] { SpeedButton1Click(); });
}

void PictureDialog::showEvent(QShowEvent* event)
{
    // Placed before the dialog's own placement, which then stays out of it.
    if (!event->spontaneous())
        PlaceOverOwner(this, owner_);
    QDialog::showEvent(event);
}

void PictureDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    // After the window system has told that the window is active, so that
    // the focus is read within it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        QMetaObject::invokeMethod(this, &PictureDialog::ShowFocus, Qt::QueuedConnection);
}

void PictureDialog::ShowFocus()
{
    if (!isActiveWindow())
        return;
    const bool closeButton = focusWidget() == nullptr;
    if (closeButton && HasAccessibleFocus(PNGButton8))
        AnnounceFocus(PNGButton8);
    else
        SetAccessibleFocus(PNGButton8, closeButton);
}

void PictureDialog::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool escape = event->key() == Qt::Key_Escape;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (escape || enter) {
        event->accept();
        if (plain && ((escape && escCloses_) || (enter && enterCloses_)))
            SpeedButton1Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void PictureDialog::SpeedButton1Click()
{
    done(1);
}
