#include "ui/frm_nevjegy.h"

#include <QLabel>

Tfrm_Nevjegy::Tfrm_Nevjegy(QWidget* mainWindow)
    : PictureDialog(mainWindow, {.name = QStringLiteral("frm_Nevjegy"),
                                 .caption = QString::fromUtf8("Névjegy"),
                                 .size = {kWidth, kHeight},
                                 .picture = QStringLiteral(":/assets/art/about_background.png"),
                                 .closeButton = {329, 12},
                                 .draggable = false})
{
    QFont windowFont(QStringLiteral("Tahoma"));
    windowFont.setPixelSize(11);
    setFont(windowFont);
    // Closing frees the window: no about window outlives its showing.
    setAttribute(Qt::WA_DeleteOnClose);
    CreateControls();
    FormCreate();
}

void Tfrm_Nevjegy::CreateControls()
{
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
}

void Tfrm_Nevjegy::FormCreate()
{
    ProductName->setText(QStringLiteral(VORPANTA_VERSION_TEXT));
}
