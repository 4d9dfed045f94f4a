#include "ui/frm_nevjegy.h"

#include <QLabel>

#include "ui/picture_text.h"

Tfrm_Nevjegy::Tfrm_Nevjegy(QWidget* mainWindow)
    : PictureDialog(mainWindow, {.name = QStringLiteral("frm_Nevjegy"),
                                 .caption = QString::fromUtf8("Névjegy"),
                                 .size = {kWidth, kHeight},
                                 .picture = QStringLiteral(":/assets/art/about_background.png"),
                                 .closeButton = {329, 12},
                                 .draggable = false,
                                 .enterCloses = true})
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

    // What the picture says, for a screen reader.
    Notice = AddPictureText(this, "Notice", QRect(186, 62, 168, 156), NoticePictureText());
    HomePage = AddPictureText(this, "HomePage", QRect(12, 226, 343, 64), HomePagePictureText());
}

void Tfrm_Nevjegy::FormCreate()
{
    ProductName->setText(QStringLiteral(VORPANTA_VERSION_TEXT));
    // Read with what the picture writes above it; a screen reader passes
    // over a lone word among a window's texts.
    ProductName->setAccessibleName(QString::fromUtf8("Vorpanta, változat: ") + ProductName->text());
}
