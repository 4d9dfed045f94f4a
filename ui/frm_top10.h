// The top-ten window: a picture window (PictureDialog) with three columns of
// ten rows (rank, score, name). ShowTopTen creates it for each showing, fills
// its rows, opens the row of a new score for the player's name, shows it
// modally and destroys it. The window itself only closes and lets itself be
// dragged by its picture; Esc and Enter close it as its close button does.
// For a screen reader the opened name edit holds the focus, or else the
// close button, and the end of the game is told with it.
#pragma once

#include <QBasicTimer>
#include <QLineEdit>

#include <array>

#include "ui/picture_dialog.h"

class QLabel;

// A name edit. Entering it other than by a mouse click selects its whole
// text, so that what the player types replaces it; coming back to it when
// the window is activated again leaves the selection alone.
//
// A locked edit is read-only and out of the keyboard's reach (a screen
// reader finds it neither editable nor focusable), but a click still places
// the cursor in it, shown as a caret that blinks like any edit's: the arrow
// keys move it, and the name can be selected and copied.
class TopTenNameEdit : public QLineEdit {
public:
    explicit TopTenNameEdit(QWidget* parent);

    void SetLocked(bool locked);
    bool IsLocked() const { return isReadOnly(); }

    // A read-only QLineEdit still tells the input method that it takes
    // input, and takes what it commits; a locked one does neither.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    // Shows the caret of a locked edit at once, then blinks it at the
    // desktop's pace (steady when the desktop does not blink it).
    void RestartBlink();

    bool entered_ = false;
    QBasicTimer blink_;
    bool caretShown_ = true;
};

class Tfrm_Top10 : public PictureDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 375;
    static constexpr int kRows = 10;
    // The top of row n (1..10) is kFirstRowTop + kRowHeight * (n - 1).
    static constexpr int kFirstRowTop = 108;
    static constexpr int kRowHeight = 20;

    // `mainWindow` is the window it is centred over (may be null).
    explicit Tfrm_Top10(QWidget* mainWindow);

    QLabel *s1 = nullptr, *s2 = nullptr, *s3 = nullptr, *s4 = nullptr, *s5 = nullptr;
    QLabel *s6 = nullptr, *s7 = nullptr, *s8 = nullptr, *s9 = nullptr, *s10 = nullptr;
    QLabel *i1 = nullptr, *i2 = nullptr, *i3 = nullptr, *i4 = nullptr, *i5 = nullptr;
    QLabel *i6 = nullptr, *i7 = nullptr, *i8 = nullptr, *i9 = nullptr, *i10 = nullptr;
    TopTenNameEdit *e1 = nullptr, *e2 = nullptr, *e3 = nullptr, *e4 = nullptr, *e5 = nullptr;
    TopTenNameEdit *e6 = nullptr, *e7 = nullptr, *e8 = nullptr, *e9 = nullptr, *e10 = nullptr;

    // The controls of row n, 1..10.
    QLabel* RankLabel(int row) const { return ranks_[static_cast<std::size_t>(row - 1)]; }
    QLabel* ScoreLabel(int row) const { return scores_[static_cast<std::size_t>(row - 1)]; }
    TopTenNameEdit* NameEdit(int row) const { return names_[static_cast<std::size_t>(row - 1)]; }

    // Shows a score text (leading blanks kept) and a name in row n.
    void FillRow(int row, const QString& scoreText, const QString& name);
    // Opens row n for a name: its edit is unlocked and becomes a tab stop,
    // and the row turns red.
    void OpenRow(int row);
    // The first row whose name edit is not locked, or 0.
    int FirstEditableRow() const;
    // What a screen reader tells with the focus when the window opens at
    // the end of a game: its description on the opened name edit, or on the
    // close button when no row was opened.
    void SetEndOfGameNotice(const QString& notice);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    // The accessible names of row n, from what it shows.
    void NameRow(int row);

    std::array<QLabel*, kRows> ranks_{};
    std::array<QLabel*, kRows> scores_{};
    std::array<TopTenNameEdit*, kRows> names_{};
};
