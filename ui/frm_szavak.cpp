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
#include "ui/fitted_text.h"
#include "ui/fonts.h"
#include "ui/qt_text.h"
#include "ui/sheet_label.h"

namespace {


// Letter sizes: the headings, the rows and lines, the best word of all
// time; no word makes its letters smaller than kSmallest, which even twenty
// of the widest letters fit at.
constexpr int kHeadingSize = 14;
constexpr int kRowSize = 12;
constexpr int kAllTimeSize = 13;
constexpr int kSmallest = 6;
// The record band's star stands at its left end; the centred line keeps as
// far from the right end, clear of the star.
constexpr int kAllTimeWidth = 340;
// The list's room at its right: the margin, where the scroll bar stands.
constexpr int kListRightMargin = 4;
constexpr int kScrollBarWidth = 8;
// At least this much between a word and its points.
constexpr int kPointsGap = 6;

}  // namespace

Tfrm_Szavak::Tfrm_Szavak(QWidget* mainWindow)
    : PictureDialog(mainWindow, {.name = QStringLiteral("frm_Szavak"),
                                 .caption = QStringLiteral("Szavak"),
                                 .size = {kWidth, kHeight},
                                 .picture = QStringLiteral(":/assets/art/szavak_background.png"),
                                 .closeButton = {kWidth - 41, 16},
                                 .escCloses = true})
{
    CreateControls();
}

void Tfrm_Szavak::CreateControls()
{
    const QFont heading = HouseFont(kHeadingSize, true);
    const QFont row = HouseFont(kRowSize, true);
    const QFont line = HouseFont(kRowSize, false);

    // This game's words, on the left sheet of the picture.
    TakenHeading = SheetLabel(this, QStringLiteral("TakenHeading"), QRect(32, 84, 180, 20), heading);
    TakenHeading->setText(QString::fromUtf8("Ebben a játékban"));
    TakenList = new QScrollArea(this);
    TakenList->setObjectName(QStringLiteral("TakenList"));
    // It takes the focus, so the keys scroll it; a screen reader names it
    // (and its viewport, which reports the same focus) by its heading.
    TakenList->setAccessibleName(TakenHeading->text());
    TakenList->viewport()->setAccessibleName(TakenHeading->text());
    TakenList->setGeometry(32, 108, 180, kRowHeight * 9);
    TakenList->setFrameShape(QFrame::NoFrame);
    TakenList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    TakenList->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    TakenList->setWidgetResizable(true);
    // The sheet of the picture shows through the list.
    TakenList->setStyleSheet(QStringLiteral(
        "QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }"
        "QScrollBar:vertical { background: rgba(255,255,255,60); width: 8px; border-radius: 4px; }"
        "QScrollBar::handle:vertical { background: rgba(16,32,72,140); min-height: 20px; border-radius: 4px; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }"));
    TakenList->viewport()->setAutoFillBackground(false);
    takenBox_ = new QWidget;
    takenBox_->setObjectName(QStringLiteral("TakenWords"));
    takenBox_->setAutoFillBackground(false);
    auto* grid = new QGridLayout(takenBox_);
    grid->setContentsMargins(0, 0, kListRightMargin, 0);
    grid->setSpacing(0);
    grid->setColumnStretch(0, 1);
    TakenList->setWidget(takenBox_);
    TakenSummary = SheetLabel(this, QStringLiteral("TakenSummary"), QRect(32, 276, 180, 18), line);
    GameBest = SheetLabel(this, QStringLiteral("GameBest"), QRect(32, 294, 180, 34), line,
                          Qt::AlignLeft | Qt::AlignTop);
    GameBest->setWordWrap(true);

    // The words left on the board, on the right sheet.
    LeftHeading = SheetLabel(this, QStringLiteral("LeftHeading"), QRect(236, 84, 176, 20), heading);
    LeftHeading->setText(QString::fromUtf8("A táblán maradt"));
    for (int n = 1; n <= kLeftRows; ++n) {
        const int top = 108 + kRowHeight * (n - 1);
        leftWords_.push_back(SheetLabel(this, QStringLiteral("leftWord%1").arg(n), QRect(236, top, 120, kRowHeight), row));
        leftPoints_.push_back(SheetLabel(this, QStringLiteral("leftPoints%1").arg(n), QRect(356, top, 56, kRowHeight), row,
                                         Qt::AlignRight | Qt::AlignVCenter));
    }
    LeftNote = SheetLabel(this, QStringLiteral("LeftNote"), QRect(236, 108, 176, 120), line,
                          Qt::AlignLeft | Qt::AlignTop);
    LeftNote->setWordWrap(true);

    // The best word of all time, on the band along the bottom.
    AllTimeBest = SheetLabel(this, QStringLiteral("AllTimeBest"), QRect(28, 338, 384, 22), HouseFont(kAllTimeSize, true),
                             Qt::AlignCenter);
}

void Tfrm_Szavak::Fill(const WordsReport& report)
{
    auto* grid = static_cast<QGridLayout*>(takenBox_->layout());
    for (auto& [word, points] : takenRows_) {
        delete word;
        delete points;
    }
    takenRows_.clear();
    const QFont row = HouseFont(kRowSize, true);
    const QFontMetrics rowMetrics(row);
    // The scroll bar takes its room once the rows outgrow the list.
    const int listWidth = TakenList->width() - kListRightMargin -
                          (static_cast<int>(report.taken.size()) * kRowHeight > TakenList->height() ? kScrollBarWidth : 0);
    int n = 0;
    for (const WordsReportRow& taken : report.taken) {
        ++n;
        QLabel* word = SheetLabel(takenBox_, QStringLiteral("takenWord%1").arg(n), QRect(), row);
        QLabel* points = SheetLabel(takenBox_, QStringLiteral("takenPoints%1").arg(n), QRect(), row,
                                    Qt::AlignRight | Qt::AlignVCenter);
        points->setText(ToQString(taken.points));
        // A long word gets smaller letters, so that it and its points fit.
        const int pointsWidth = rowMetrics.horizontalAdvance(points->text()) + kPointsGap;
        ShowFitted(word, ToQString(taken.word), listWidth - pointsWidth, kRowSize, kSmallest);
        // A screen reader reads the whole row at the word.
        SetSpokenName(word, ToQString(taken.spoken));
        word->setFixedHeight(kRowHeight);
        points->setFixedHeight(kRowHeight);
        grid->addWidget(word, n - 1, 0);
        grid->addWidget(points, n - 1, 1);
        takenRows_.emplace_back(word, points);
    }
    grid->setRowStretch(n, 1);
    ShowLatestWord();

    TakenSummary->setText(ToQString(report.summary));
    ShowFitted(GameBest, ToQString(report.gameBest), GameBest->width(), kRowSize, kSmallest);
    SetSpokenName(GameBest, ToQString(OneLineSpokenText(report.gameBest)));
    ShowFitted(AllTimeBest, ToQString(report.allTimeBest), kAllTimeWidth, kAllTimeSize, kSmallest);
    for (int i = 1; i <= kLeftRows; ++i) {
        const bool shown = static_cast<std::size_t>(i) <= report.left.size();
        const WordsReportRow none;
        const WordsReportRow& left = shown ? report.left[static_cast<std::size_t>(i - 1)] : none;
        ShowFitted(LeftWord(i), ToQString(left.word), LeftWord(i)->width(), kRowSize, kSmallest);
        LeftPoints(i)->setText(ToQString(left.points));
        SetSpokenName(LeftWord(i), ToQString(left.spoken));
        LeftWord(i)->setVisible(shown);
        LeftPoints(i)->setVisible(shown);
    }
    LeftNote->setText(ToQString(report.leftNote));
    LeftNote->setVisible(!report.leftNote.empty());
}

void Tfrm_Szavak::ShowLatestWord()
{
    TakenList->verticalScrollBar()->setValue(TakenList->verticalScrollBar()->maximum());
}

void Tfrm_Szavak::showEvent(QShowEvent* event)
{
    PictureDialog::showEvent(event);
    // Again now that the list has its size.
    if (!event->spontaneous())
        ShowLatestWord();
}

void ShowWords(QWidget* mainWindow, const Game& game)
{
    auto form = std::make_unique<Tfrm_Szavak>(mainWindow);
    form->Fill(MakeWordsReport(game));
    form->exec();
}
