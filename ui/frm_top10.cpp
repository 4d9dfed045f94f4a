#include "ui/frm_top10.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QShowEvent>

#include <limits>
#include <memory>

#include "game/spoken_text.h"
#include "game/top_ten_table.h"
#include "platform/file_io.h"
#include "ui/accessible_controls.h"
#include "ui/qt_text.h"
#include "ui/show_top_ten.h"

namespace {

// The blue of the background picture's panel, behind the name edits.
const QColor kPanelBlue(71, 170, 247);
const QColor kOpenedRowColour(255, 0, 0);

QFont RowFont()
{
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPixelSize(12);
    font.setBold(true);
    return font;
}

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

// Keys that move the cursor, select or copy; in a locked edit every other key
// is passed on to the window, as a read-only edit passes it on.
bool LeavesTheTextAlone(const QKeyEvent* event)
{
    static constexpr QKeySequence::StandardKey kKeys[] = {
        QKeySequence::MoveToNextChar,        QKeySequence::MoveToPreviousChar,
        QKeySequence::MoveToNextWord,        QKeySequence::MoveToPreviousWord,
        QKeySequence::MoveToStartOfLine,     QKeySequence::MoveToEndOfLine,
        QKeySequence::MoveToStartOfBlock,    QKeySequence::MoveToEndOfBlock,
        QKeySequence::MoveToStartOfDocument, QKeySequence::MoveToEndOfDocument,
        QKeySequence::SelectNextChar,        QKeySequence::SelectPreviousChar,
        QKeySequence::SelectNextWord,        QKeySequence::SelectPreviousWord,
        QKeySequence::SelectStartOfLine,     QKeySequence::SelectEndOfLine,
        QKeySequence::SelectStartOfBlock,    QKeySequence::SelectEndOfBlock,
        QKeySequence::SelectStartOfDocument, QKeySequence::SelectEndOfDocument,
        QKeySequence::SelectAll,             QKeySequence::Deselect,
        QKeySequence::Copy,
    };
    for (const QKeySequence::StandardKey key : kKeys)
        if (event->matches(key))
            return true;
    return false;
}

}  // namespace

void TopTenNameEdit::SetLocked(bool locked)
{
    locked_ = locked;
    // Nothing is dropped on a widget that takes no drops.
    setAcceptDrops(!locked);
    setAttribute(Qt::WA_InputMethodEnabled, !locked);
    if (hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImEnabled | Qt::ImReadOnly);
}

QVariant TopTenNameEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    // QLineEdit answers that it takes input whenever it is not read-only.
    if (locked_ && query == Qt::ImEnabled)
        return false;
    if (locked_ && query == Qt::ImReadOnly)
        return true;
    return QLineEdit::inputMethodQuery(query);
}

void TopTenNameEdit::keyPressEvent(QKeyEvent* event)
{
    if (locked_ && !LeavesTheTextAlone(event)) {
        event->ignore();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TopTenNameEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (locked_) {
        event->ignore();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void TopTenNameEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // Where the system has a selection clipboard, the middle button pastes it.
    if (locked_ && event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TopTenNameEdit::contextMenuEvent(QContextMenuEvent* event)
{
    if (!locked_) {
        QLineEdit::contextMenuEvent(event);
        return;
    }
    // The menu Qt makes for a read-only edit: copy and select all, without
    // the editing commands.
    setReadOnly(true);
    QMenu* menu = createStandardContextMenu();
    setReadOnly(false);
    SetLocked(true);  // making it writable again turned the input method on
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TopTenNameEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
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
    QLineEdit::focusOutEvent(event);
}

Tfrm_Top10::Tfrm_Top10(QWidget* mainWindow)
    : PictureDialog(mainWindow, {.name = QStringLiteral("frm_Top10"),
                                 .caption = QStringLiteral("Top10"),
                                 .size = {kWidth, kHeight},
                                 .picture = QStringLiteral(":/assets/art/top10_background.png"),
                                 .closeButton = {259, 16}})
{
    CreateControls();
}

void Tfrm_Top10::CreateControls()
{
    QLabel** rankFields[kRows] = {&s1, &s2, &s3, &s4, &s5, &s6, &s7, &s8, &s9, &s10};
    QLabel** scoreFields[kRows] = {&i1, &i2, &i3, &i4, &i5, &i6, &i7, &i8, &i9, &i10};
    TopTenNameEdit** nameFields[kRows] = {&e1, &e2, &e3, &e4, &e5, &e6, &e7, &e8, &e9, &e10};
    const QFont font = RowFont();
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

        auto* name = new TopTenNameEdit(QStringLiteral("Gurdala"), this);
        name->setObjectName(QStringLiteral("e") + number);
        name->setGeometry(172, top, 101, 20);
        name->setFrame(false);
        // Text at the top, on the labels' line, rather than centred in the
        // edit's 20 pixels.
        name->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        name->setFont(font);
        name->SetLocked(true);
        // Not a tab stop, but a click still places the cursor in it.
        name->setFocusPolicy(Qt::ClickFocus);
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
    name->setFocusPolicy(Qt::StrongFocus);
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
