#include "ui/frm_szavak.h"

#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>

#include <memory>

#include "game/game.h"
#include "game/spoken_text.h"
#include "game/words_report.h"
#include "ui/accessible_controls.h"
#include "ui/picture_control.h"
#include "ui/png_button.h"
#include "ui/png_image.h"
#include "ui/qt_text.h"
#include "ui/window_position.h"

namespace {

const QColor kInk(16, 32, 72);

QFont TextFont(int pixels, bool bold)
{
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QRect& place, const QFont& font,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAlignment(alignment);
    label->setFont(font);
    label->setGeometry(place);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kInk);
    label->setPalette(palette);
    return label;
}

}  // namespace

Tfrm_Szavak::Tfrm_Szavak(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint), mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("frm_Szavak"));
    setWindowTitle(QStringLiteral("Szavak"));
    setFixedSize(kWidth, kHeight);
    setModal(true);
    CreateControls();
    CentreOverMainWindow();
}

void Tfrm_Szavak::CreateControls()
{
    Image1 = new PictureControl(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, kWidth, kHeight);
    Image1->SetPicture(LoadPng(QStringLiteral(":/assets/art/szavak_background.png")));
    connect(Image1, &PictureControl::MouseDown, this,
            [this](Qt::MouseButton b, QPoint at) { drag_.MouseDown(this, b, at); });
    connect(Image1, &PictureControl::MouseMoved, this, [this] { drag_.MouseMove(this); });
    connect(Image1, &PictureControl::MouseUp, this, [this](Qt::MouseButton) { drag_.MouseUp(); });

    PNGButton8 = new TPNGButton(this);
    PNGButton8->setObjectName(QStringLiteral("PNGButton8"));
    PresentAsButton(PNGButton8, "OnClick");
    PNGButton8->setAccessibleName(QString::fromUtf8("Bezár"));
    PNGButton8->setGeometry(kWidth - 41, 16, 25, 25);
    PNGButton8->SetButtonLayout(TPNGButton::pbsImageAbove);
    PNGButton8->SetButtonStyle(TPNGButton::pbsNoFrame);
    PNGButton8->SetImageNormal(LoadPng(QStringLiteral(":/assets/art/btn_close.png")));
    connect(PNGButton8, &TPNGButton::OnClick, this, [this] { SpeedButton1Click(); });

    const QFont heading = TextFont(14, true);
    const QFont row = TextFont(12, true);
    const QFont line = TextFont(12, false);

    // This game's words, on the left sheet of the picture.
    Label1 = MakeLabel(this, QStringLiteral("Label1"), QRect(32, 84, 180, 20), heading);
    Label1->setText(QString::fromUtf8("Ebben a játékban"));
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setGeometry(32, 108, 180, kRowHeight * 9);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ScrollBox1->setWidgetResizable(true);
    // The sheet of the picture shows through the list.
    ScrollBox1->setStyleSheet(QStringLiteral(
        "QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }"
        "QScrollBar:vertical { background: rgba(255,255,255,60); width: 8px; border-radius: 4px; }"
        "QScrollBar::handle:vertical { background: rgba(16,32,72,140); min-height: 20px; border-radius: 4px; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }"));
    ScrollBox1->viewport()->setAutoFillBackground(false);
    takenBox_ = new QWidget;
    takenBox_->setObjectName(QStringLiteral("TakenWords"));
    takenBox_->setAutoFillBackground(false);
    auto* grid = new QGridLayout(takenBox_);
    grid->setContentsMargins(0, 0, 4, 0);
    grid->setSpacing(0);
    grid->setColumnStretch(0, 1);
    ScrollBox1->setWidget(takenBox_);
    Label2 = MakeLabel(this, QStringLiteral("Label2"), QRect(32, 276, 180, 18), line);
    Label3 = MakeLabel(this, QStringLiteral("Label3"), QRect(32, 294, 180, 34), line, Qt::AlignLeft | Qt::AlignTop);
    Label3->setWordWrap(true);

    // The words left on the board, on the right sheet.
    Label4 = MakeLabel(this, QStringLiteral("Label4"), QRect(236, 84, 176, 20), heading);
    Label4->setText(QString::fromUtf8("A táblán maradt"));
    for (int n = 1; n <= kLeftRows; ++n) {
        const int top = 108 + kRowHeight * (n - 1);
        leftWords_.push_back(MakeLabel(this, QStringLiteral("m%1").arg(n), QRect(236, top, 120, kRowHeight), row));
        leftPoints_.push_back(MakeLabel(this, QStringLiteral("mp%1").arg(n), QRect(356, top, 56, kRowHeight), row,
                                        Qt::AlignRight | Qt::AlignVCenter));
    }
    Label5 = MakeLabel(this, QStringLiteral("Label5"), QRect(236, 108, 176, 120), line, Qt::AlignLeft | Qt::AlignTop);
    Label5->setWordWrap(true);

    // The best word of all time, on the band along the bottom.
    Label6 = MakeLabel(this, QStringLiteral("Label6"), QRect(28, 338, 384, 22), TextFont(13, true), Qt::AlignCenter);
}

void Tfrm_Szavak::Fill(const WordsReport& report)
{
    auto* grid = static_cast<QGridLayout*>(takenBox_->layout());
    for (auto& [word, points] : takenRows_) {
        delete word;
        delete points;
    }
    takenRows_.clear();
    const QFont row = TextFont(12, true);
    int n = 0;
    for (const WordsReportRow& taken : report.taken) {
        ++n;
        QLabel* word = MakeLabel(takenBox_, QStringLiteral("w%1").arg(n), QRect(), row);
        QLabel* points = MakeLabel(takenBox_, QStringLiteral("p%1").arg(n), QRect(), row,
                                   Qt::AlignRight | Qt::AlignVCenter);
        word->setText(ToQString(taken.word));
        points->setText(ToQString(taken.points));
        // A screen reader reads the whole row at the word.
        SetSpokenName(word, ToQString(taken.spoken));
        word->setFixedHeight(kRowHeight);
        points->setFixedHeight(kRowHeight);
        grid->addWidget(word, n - 1, 0);
        grid->addWidget(points, n - 1, 1);
        takenRows_.emplace_back(word, points);
    }
    grid->setRowStretch(n, 1);
    // The latest word in sight.
    ScrollBox1->verticalScrollBar()->setValue(ScrollBox1->verticalScrollBar()->maximum());

    Label2->setText(ToQString(report.summary));
    Label3->setText(ToQString(report.gameBest));
    SetSpokenName(Label3, ToQString(OneLineSpokenText(report.gameBest)));
    Label6->setText(ToQString(report.allTimeBest));
    for (int i = 1; i <= kLeftRows; ++i) {
        const bool shown = static_cast<std::size_t>(i) <= report.left.size();
        const WordsReportRow none;
        const WordsReportRow& left = shown ? report.left[static_cast<std::size_t>(i - 1)] : none;
        LeftWord(i)->setText(ToQString(left.word));
        LeftPoints(i)->setText(ToQString(left.points));
        SetSpokenName(LeftWord(i), ToQString(left.spoken));
        LeftWord(i)->setVisible(shown);
        LeftPoints(i)->setVisible(shown);
    }
    Label5->setText(ToQString(report.leftNote));
    Label5->setVisible(!report.leftNote.empty());
}

void Tfrm_Szavak::CentreOverMainWindow()
{
    // Centred, and wholly on the main window's screen.
    PlaceOverOwner(this, mainWindow_);
}

void Tfrm_Szavak::showEvent(QShowEvent* event)
{
    // The latest word in sight, now that the list has its size.
    if (!event->spontaneous())
        ScrollBox1->verticalScrollBar()->setValue(ScrollBox1->verticalScrollBar()->maximum());
    QDialog::showEvent(event);
}

void Tfrm_Szavak::SpeedButton1Click()
{
    done(QDialog::Accepted);
}

void ShowWords(QWidget* mainWindow, const Game& game)
{
    auto form = std::make_unique<Tfrm_Szavak>(mainWindow);
    form->Fill(MakeWordsReport(game));
    form->exec();
}
