#include "ui/frm_statisztika.h"

#include <QAction>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QGraphicsLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>

#include <memory>

#include "game/game.h"
#include "game/game_statistics.h"
#include "ui/accessible_controls.h"
#include "ui/fonts.h"
#include "ui/png_button.h"
#include "ui/png_image.h"
#include "ui/qt_text.h"
#include "ui/sheet_label.h"

namespace {

const QColor kScoreColour(40, 86, 170);    // the scores' line and marks
const QColor kDailyColour(255, 144, 28);   // today's-board marks, as a selected tile
const QColor kAverageColour(183, 66, 30);  // the running average

// An axis with its labels where the report puts them ("12 000" rather than
// "12000"), in the window's font and ink.
QCategoryAxis* MakeAxis(const AxisRange& range, const QString& title)
{
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setRange(range.low, range.high);
    axis->setStartValue(range.low);
    for (const AxisTick& tick : range.ticks)
        axis->append(ToQString(tick.text), tick.value);
    axis->setLabelsFont(HouseFont(10, false));
    axis->setLabelsColor(kSheetInk);
    axis->setTitleText(title);
    axis->setTitleFont(HouseFont(10, true));
    axis->setTitleBrush(kSheetInk);
    axis->setLinePen(QPen(kSheetInk, 1));
    axis->setGridLinePen(QPen(QColor(255, 255, 255, 170), 1));
    axis->setShadesVisible(false);
    return axis;
}

}  // namespace

Tfrm_Statisztika::Tfrm_Statisztika(QWidget* mainWindow)
    : PictureDialog(mainWindow, {.name = QStringLiteral("frm_Statisztika"),
                                 .caption = QStringLiteral("Statisztika"),
                                 .size = {kWidth, kHeight},
                                 .picture = QStringLiteral(":/assets/art/statisztika_background.png"),
                                 .closeButton = {kWidth - 41, 16},
                                 .escCloses = true})
{
    CreateControls();
}

void Tfrm_Statisztika::CreateControls()
{
    // The totals, on the left sheet of the picture.
    SummaryHeading = SheetLabel(this, QStringLiteral("SummaryHeading"), QRect(32, 84, 164, 20), HouseFont(14, true));
    SummaryHeading->setText(QString::fromUtf8("Összesen"));
    for (int n = 0; n < 5; ++n) {
        const int top = 112 + n * 38;
        const QString number = QString::number(n + 1);
        SummaryCaptions.push_back(SheetLabel(this, QStringLiteral("SummaryCaption") + number,
                                             QRect(34, top, 164, 15), HouseFont(11, false)));
        SummaryValues.push_back(SheetLabel(this, QStringLiteral("SummaryValue") + number,
                                           QRect(34, top + 15, 164, 20), HouseFont(15, true)));
    }

    // The chart, on the right sheet.
    ChartHeading = SheetLabel(this, QStringLiteral("ChartHeading"), QRect(222, 84, 346, 20), HouseFont(14, true));
    Chart1 = new QChartView(this);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Chart1->setGeometry(218, 108, 354, 196);
    Chart1->setRenderHint(QPainter::Antialiasing);
    Chart1->setFrameShape(QFrame::NoFrame);
    Chart1->setFocusPolicy(Qt::NoFocus);
    // The sheet of the picture shows through.
    Chart1->setStyleSheet(QStringLiteral("background: transparent"));
    Chart1->setAttribute(Qt::WA_TranslucentBackground);
    Chart1->viewport()->setAutoFillBackground(false);
    ChartNote = SheetLabel(this, QStringLiteral("ChartNote"), QRect(232, 130, 326, 140), HouseFont(13, false),
                           Qt::AlignCenter);
    ChartNote->setWordWrap(true);

    // Today's board, on the parchment band.
    TodayHeading = SheetLabel(this, QStringLiteral("TodayHeading"), QRect(56, 324, 280, 22), HouseFont(14, true));
    CopyNote = SheetLabel(this, QStringLiteral("CopyNote"), QRect(330, 324, 236, 22), HouseFont(11, false),
                          Qt::AlignRight | Qt::AlignVCenter);
    TodayScore = SheetLabel(this, QStringLiteral("TodayScore"), QRect(56, 344, 510, 20), HouseFont(13, true));
    TodayPractice = SheetLabel(this, QStringLiteral("TodayPractice"), QRect(56, 363, 510, 18), HouseFont(11, false));
    ShareLine = SheetLabel(this, QStringLiteral("ShareLine"), QRect(58, 385, 452, 26), HouseFont(12, false));
    ShareLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    PNGButton1 = new TPNGButton(this);
    PNGButton1->setObjectName(QStringLiteral("PNGButton1"));
    PresentAsButton(PNGButton1, "OnClick");
    PNGButton1->setAccessibleName(QString::fromUtf8("Másolás a vágólapra"));
    PNGButton1->setGeometry(526, 386, 25, 25);
    PNGButton1->SetButtonLayout(TPNGButton::pbsImageAbove);
    PNGButton1->SetButtonStyle(TPNGButton::pbsNoFrame);
    PNGButton1->SetImageNormal(LoadPng(QStringLiteral(":/assets/art/btn_copy.png")));
    connect(PNGButton1, &TPNGButton::OnClick, this, &Tfrm_Statisztika::aMasolasExecute);

    // What is wrong with the record, along the bottom edge of the panel.
    Problem = SheetLabel(this, QStringLiteral("Problem"), QRect(24, 424, 552, 15), HouseFont(11, true));
    QPalette warning = Problem->palette();
    warning.setColor(QPalette::WindowText, QColor(150, 20, 10));
    Problem->setPalette(warning);

    aMasolas = new QAction(this);
    aMasolas->setObjectName(QStringLiteral("aMasolas"));
    aMasolas->setToolTip(QString::fromUtf8("Másolás"));
    aMasolas->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    aMasolas->setShortcutContext(Qt::WindowShortcut);
    addAction(aMasolas);
    connect(aMasolas, &QAction::triggered, this, &Tfrm_Statisztika::aMasolasExecute);
}

void Tfrm_Statisztika::Fill(const StatisticsReport& report)
{
    const std::string* const totals[] = {&report.gamesPlayed, &report.averageScore, &report.bestScore,
                                         &report.bestWord, &report.wordsPerGame};
    for (std::size_t n = 0; n < SummaryValues.size(); ++n) {
        // "Caption: value" is shown on two lines and read as one.
        const QString line = ToQString(*totals[n]);
        const int colon = line.indexOf(QStringLiteral(": "));
        SummaryCaptions[n]->setText(line.left(colon));
        SummaryValues[n]->setText(line.mid(colon + 2));
        SetSpokenName(SummaryValues[n], line);
    }

    ChartHeading->setText(ToQString(report.chart.heading));
    ChartNote->setText(ToQString(report.chart.note));
    ChartNote->setVisible(!report.chart.note.empty());
    Chart1->setVisible(report.chart.note.empty());
    SetSpokenName(Chart1, ToQString(report.chart.spoken));
    if (report.chart.note.empty())
        DrawChart(report.chart);

    TodayHeading->setText(ToQString(report.todayHeading));
    TodayScore->setText(ToQString(report.todayScore));
    TodayPractice->setText(ToQString(report.todayPractice));
    TodayPractice->setVisible(!report.todayPractice.empty());
    // The box of the line to share says what will stand in it until then.
    shareText_ = ToQString(report.shareLine);
    const bool sharing = !shareText_.isEmpty();
    ShareLine->setText(sharing ? shareText_ : ToQString(report.shareNote));
    SetSpokenName(ShareLine, ShareLine->text());
    QPalette palette = ShareLine->palette();
    palette.setColor(QPalette::WindowText, sharing ? kSheetInk : QColor(120, 110, 90));
    ShareLine->setPalette(palette);
    QFont font = ShareLine->font();
    font.setItalic(!sharing);
    ShareLine->setFont(font);
    PNGButton1->setVisible(sharing);
    CopyNote->clear();
    Problem->setText(ToQString(report.problem));
    Problem->setVisible(!report.problem.empty());
}

void Tfrm_Statisztika::DrawChart(const ScoreChart& chart)
{
    // The more games, the smaller their marks, so that a hundred stay apart.
    const std::size_t count = chart.points.size();
    const qreal mark = count <= 30 ? 6 : count <= 60 ? 4 : 3;
    auto* scores = new QLineSeries;
    scores->setName(QString::fromUtf8("eredmény"));
    scores->setPen(QPen(kScoreColour, count <= 30 ? 1.5 : 1));
    scores->setPointsVisible(true);
    scores->setMarkerSize(mark);
    auto* daily = new QScatterSeries;
    daily->setName(QString::fromUtf8("napi tábla"));
    daily->setMarkerShape(QScatterSeries::MarkerShapeStar);
    daily->setMarkerSize(mark * 2 + 2);
    daily->setColor(kDailyColour);
    daily->setBorderColor(QColor(110, 40, 0));
    auto* average = new QLineSeries;
    average->setName(QString::fromUtf8("átlag"));
    average->setPen(QPen(kAverageColour, 2.2, Qt::DashLine, Qt::RoundCap, Qt::RoundJoin));
    for (const ChartPoint& point : chart.points) {
        scores->append(point.number, point.score);
        if (point.daily)
            daily->append(point.number, point.score);
        average->append(point.number, point.average);
    }

    auto* board = new QChart;
    board->setBackgroundVisible(false);
    board->setPlotAreaBackgroundBrush(QColor(255, 255, 255, 90));
    board->setPlotAreaBackgroundVisible(true);
    board->setMargins(QMargins(0, 0, 8, 0));
    board->layout()->setContentsMargins(0, 0, 0, 0);
    board->setBackgroundRoundness(0);
    board->setAnimationOptions(QChart::NoAnimation);
    board->addSeries(scores);
    board->addSeries(average);
    board->addSeries(daily);
    QCategoryAxis* across = MakeAxis(chart.games, QString::fromUtf8("játék"));
    QCategoryAxis* up = MakeAxis(chart.scores, QStringLiteral("pont"));
    board->addAxis(across, Qt::AlignBottom);
    board->addAxis(up, Qt::AlignLeft);
    for (QAbstractSeries* series : board->series()) {
        series->attachAxis(across);
        series->attachAxis(up);
    }
    QLegend* legend = board->legend();
    legend->setAlignment(Qt::AlignTop);
    legend->setFont(HouseFont(10, false));
    legend->setLabelColor(kSheetInk);
    legend->setBackgroundVisible(false);
    legend->setMarkerShape(QLegend::MarkerShapeFromSeries);

    QChart* old = Chart1->chart();
    Chart1->setChart(board);
    // A view owns the chart it shows only until it is given another.
    if (old && old != board)
        delete old;
}

void Tfrm_Statisztika::aMasolasExecute()
{
    if (shareText_.isEmpty())
        return;
    QGuiApplication::clipboard()->setText(shareText_);
    CopyNote->setText(QString::fromUtf8("A sor a vágólapra került."));
    SetSpokenName(CopyNote, CopyNote->text());
}

void Tfrm_Statisztika::keyPressEvent(QKeyEvent* event)
{
    // Enter closes the window as its close button does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        SpeedButton1Click();
        return;
    }
    PictureDialog::keyPressEvent(event);
}

void ShowStatistics(QWidget* mainWindow, Game& game)
{
    GameRecord& record = game.Record();
    StatisticsReport report = MakeStatistics(record.Games(), game.GetClock().Now().date);
    report.problem = record.Problem();
    auto form = std::make_unique<Tfrm_Statisztika>(mainWindow);
    form->Fill(report);
    form->exec();
}
