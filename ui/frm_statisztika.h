// The statistics window: the totals of every finished game, a chart of the
// latest scores with today's-board games marked and the running average,
// and today's board with a line to share, which Ctrl+C or the copy button
// puts on the clipboard. A picture window (PictureDialog) like the words
// window: dragged by its picture, closed by its close button, Esc or Enter,
// shown modally over the main window, a new one for each showing.
#pragma once

#include <vector>

#include "ui/picture_dialog.h"

class QAction;
class QLabel;
class Game;
struct ScoreChart;
struct StatisticsReport;

class QChartView;

class Tfrm_Statisztika : public PictureDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 600;
    static constexpr int kHeight = 440;

    // `mainWindow` is the window it is placed over (may be null).
    explicit Tfrm_Statisztika(QWidget* mainWindow);

    void Fill(const StatisticsReport& report);

    // The totals, each a caption and its value; a screen reader reads the
    // value with its caption ("Átlagos eredmény: 1 234 pont").
    QLabel* SummaryHeading = nullptr;
    std::vector<QLabel*> SummaryCaptions;
    std::vector<QLabel*> SummaryValues;
    QLabel* ChartHeading = nullptr;
    QChartView* Chart1 = nullptr;  // hidden while ChartNote speaks instead
    QLabel* ChartNote = nullptr;
    QLabel* TodayHeading = nullptr;
    QLabel* TodayScore = nullptr;
    QLabel* TodayPractice = nullptr;
    QLabel* ShareLine = nullptr;    // the line to share, or what will stand there
    QLabel* CopyNote = nullptr;     // says that the line is on the clipboard
    QLabel* Problem = nullptr;      // what is wrong with the record file
    class TPNGButton* PNGButton1 = nullptr;  // copies the line to share
    QAction* aMasolas = nullptr;             // Ctrl+C: the same

    // Puts the line to share on the clipboard; nothing when there is none.
    void aMasolasExecute();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void DrawChart(const ScoreChart& chart);

    QString shareText_;  // the line to share; empty when there is none yet
};

// Shows the statistics of the game's record modally over `mainWindow`.
void ShowStatistics(QWidget* mainWindow, Game& game);
