#include "ui/frm_top10.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QPainter>
#include <QShowEvent>

#include <limits>
#include <memory>

#include "game/spoken_text.h"
#include "game/top_ten_table.h"
#include "platform/file_io.h"
#include "ui/accessible_controls.h"
#include "ui/fonts.h"
#include "ui/png_button.h"
#include "ui/qt_text.h"
#include "ui/show_top_ten.h"

namespace {

// The blue of the background picture's panel, behind the name edits.
const QColor kPanelBlue(71, 170, 247);
const QColor kOpenedRowColour(255, 0, 0);

void SetTextColour(QWidget* control, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = control->palette();
    palette.setColor(role, colour);
    control->setPalette(palette);
}

// A rank or score label: as wide as its text, 16 pixels high, the text at the
// top left like the name beside it.
void SizeToText(QLabel* label)
{
    label->adjustSize();
    label->resize(label->width(), 16);
}

}  // namespace

TopTenNameEdit::TopTenNameEdit(QWidget* parent) : QLineEdit(parent)
{
    PresentAsLineEdit(this);
    connect(this, &QLineEdit::cursorPositionChanged, this, [this] {
        if (hasFocus())
            RestartBlink();
    });
}

void TopTenNameEdit::SetLocked(bool locked)
{
    setReadOnly(locked);
    // Only the opened edit is reached with the keyboard.
    setFocusPolicy(locked ? Qt::NoFocus : Qt::StrongFocus);
}

QVariant TopTenNameEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (IsLocked() && query == Qt::ImEnabled)
        return false;
    return QLineEdit::inputMethodQuery(query);
}

void TopTenNameEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (IsLocked()) {
        event->ignore();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void TopTenNameEdit::mousePressEvent(QMouseEvent* event)
{
    // A click still places the cursor in a locked edit.
    if (IsLocked())
        setFocus(Qt::MouseFocusReason);
    QLineEdit::mousePressEvent(event);
}

void TopTenNameEdit::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    // A read-only edit draws no caret; a locked one shows where its cursor
    // stands.
    if (!IsLocked() || !hasFocus() || !caretShown_)
        return;
    QPainter painter(this);
    const QRect around = cursorRect();
    painter.fillRect(QRect(around.center().x(), around.top(), 1, around.height()), palette().color(QPalette::Text));
}

void TopTenNameEdit::RestartBlink()
{
    caretShown_ = true;
    const int flashTime = QApplication::cursorFlashTime();
    if (IsLocked() && flashTime >= 2)
        blink_.start(flashTime / 2, this);
    else
        blink_.stop();
    update();
}

void TopTenNameEdit::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != blink_.timerId()) {
        QLineEdit::timerEvent(event);
        return;
    }
    caretShown_ = !caretShown_;
    update();
}

void TopTenNameEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    RestartBlink();
    const Qt::FocusReason reason = event->reason();
    const bool returning = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
    if (reason != Qt::MouseFocusReason && !(returning && entered_))
        selectAll();
    entered_ = true;
}

void TopTenNameEdit::focusOutEvent(QFocusEvent* event)
{
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        entered_ = false;
    blink_.stop();
    QLineEdit::focusOutEvent(event);
}

Tfrm_Top10::Tfrm_Top10(QWidget* mainWindow)
    : PictureDialog(mainWindow, {.name = QStringLiteral("frm_Top10"),
                                 .caption = QStringLiteral("Top10"),
                                 .size = {kWidth, kHeight},
                                 .picture = QStringLiteral(":/assets/art/top10_background.png"),
                                 .closeButton = {259, 16},
                                 .escCloses = true,
                                 .enterCloses = true})
{
    CreateControls();
}

void Tfrm_Top10::CreateControls()
{
    QLabel** rankFields[kRows] = {&s1, &s2, &s3, &s4, &s5, &s6, &s7, &s8, &s9, &s10};
    QLabel** scoreFields[kRows] = {&i1, &i2, &i3, &i4, &i5, &i6, &i7, &i8, &i9, &i10};
    TopTenNameEdit** nameFields[kRows] = {&e1, &e2, &e3, &e4, &e5, &e6, &e7, &e8, &e9, &e10};
    const QFont font = HouseFont(12, true);
    const QColor windowText = palette().color(QPalette::WindowText);

    for (int row = 1; row <= kRows; ++row) {
        const int top = kFirstRowTop + kRowHeight * (row - 1);
        const QString number = QString::number(row);

        // Labels draw no background, so the picture shows around their
        // letters; plain text keeps the score's leading blanks.
        auto* rank = new QLabel(QStringLiteral("%1.").arg(row), this);
        rank->setObjectName(QStringLiteral("s") + number);
        rank->setTextFormat(Qt::PlainText);
        rank->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        rank->setFont(font);
        rank->move(80, top);
        SizeToText(rank);

        auto* score = new QLabel(this);
        score->setObjectName(QStringLiteral("i") + number);
        score->setTextFormat(Qt::PlainText);
        score->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        score->setFont(font);
        score->move(104, top);
        SizeToText(score);

        auto* name = new TopTenNameEdit(this);
        name->setText(QStringLiteral("Gurdala"));
        name->setObjectName(QStringLiteral("e") + number);
        name->setGeometry(172, top, 101, 20);
        name->setFrame(false);
        // Text at the top, on the labels' line, rather than centred in the
        // edit's 20 pixels.
        name->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        name->setFont(font);
        name->SetLocked(true);
        name->setMaxLength(std::numeric_limits<int>::max());
        QPalette palette = name->palette();
        palette.setColor(QPalette::Base, kPanelBlue);
        palette.setColor(QPalette::Text, windowText);
        name->setPalette(palette);

        *rankFields[row - 1] = ranks_[static_cast<std::size_t>(row - 1)] = rank;
        *scoreFields[row - 1] = scores_[static_cast<std::size_t>(row - 1)] = score;
        *nameFields[row - 1] = names_[static_cast<std::size_t>(row - 1)] = name;
        connect(name, &QLineEdit::textChanged, this, [this, row] { NameRow(row); });
    }
}

void Tfrm_Top10::NameRow(int row)
{
    // A screen reader reads the whole row at its rank, and the name edit by
    // its rank and score, its text being the name.
    const std::string score = FromQString(ScoreLabel(row)->text());
    SetSpokenName(RankLabel(row), ToQString(RankedRowSpokenName(row, score, FromQString(NameEdit(row)->text()))));
    SetSpokenName(NameEdit(row), ToQString(RankedRowSpokenName(row, score, {})));
}

void Tfrm_Top10::FillRow(int row, const QString& scoreText, const QString& name)
{
    QLabel* score = ScoreLabel(row);
    score->setText(scoreText);
    SizeToText(score);
    NameEdit(row)->setText(name);
    NameRow(row);
}

void Tfrm_Top10::OpenRow(int row)
{
    TopTenNameEdit* name = NameEdit(row);
    name->SetLocked(false);
    SetTextColour(name, QPalette::Text, kOpenedRowColour);
    SetTextColour(ScoreLabel(row), QPalette::WindowText, kOpenedRowColour);
    SetTextColour(RankLabel(row), QPalette::WindowText, kOpenedRowColour);
}

int Tfrm_Top10::FirstEditableRow() const
{
    for (int row = 1; row <= kRows; ++row)
        if (!NameEdit(row)->IsLocked())
            return row;
    return 0;
}

void Tfrm_Top10::SetEndOfGameNotice(const QString& notice)
{
    const int row = FirstEditableRow();
    QWidget* focus = row > 0 ? static_cast<QWidget*>(NameEdit(row)) : PNGButton8;
    focus->setAccessibleDescription(notice);
}

void Tfrm_Top10::showEvent(QShowEvent* event)
{
    PictureDialog::showEvent(event);
    // The first tab stop takes the focus: the opened name edit, if any.
    if (!event->spontaneous()) {
        for (TopTenNameEdit* name : names_) {
            if (name->focusPolicy() & Qt::TabFocus) {
                name->setFocus(Qt::TabFocusReason);
                break;
            }
        }
    }
}

void ShowTopTen(QWidget* mainWindow, const std::string& dataDir, std::int32_t score, TopTenMode mode)
{
    const bool endOfGame = mode == TopTenMode::EndOfGame;

    // Made hidden; it shows only once its rows are filled.
    auto form = std::make_unique<Tfrm_Top10>(mainWindow);

    const std::string path = fileio::JoinPath(dataDir, kTopTenFileName);
    TopTenTable table = ReadTopTenFile(path);
    table.FillUp();
    if (endOfGame)
        table.Append(TopTenNewLine(score));
    table.Sort();

    for (int row = 1; row <= Tfrm_Top10::kRows; ++row)
        form->FillRow(row, ToQString(table.ScoreTextAt(row - 1)), ToQString(table.NameAt(row - 1)));
    if (endOfGame) {
        const int index = table.FindScoreRow(score);
        if (index >= 0)
            form->OpenRow(index + 1);
        form->SetEndOfGameNotice(ToQString(EndOfGameSpokenText(score, index + 1)));
    }

    // However the rest ends, the main window is the active one again.
    struct Reactivate {
        QPointer<QWidget> window;
        ~Reactivate()
        {
            if (window) {
                window->activateWindow();
                window->raise();
            }
        }
    } reactivate{mainWindow};

    form->exec();

    if (!endOfGame)
        return;
    // The name is taken however the window was closed.
    if (const int row = form->FirstEditableRow(); row > 0)
        table.SetEntry(row - 1, score, FromQString(form->NameEdit(row)->text()));
    WriteTopTenFile(path, table);
}
