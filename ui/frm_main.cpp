#include "ui/frm_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QShowEvent>

#include <optional>
#include <thread>

#include "app/first_start.h"
#include "game/spoken_text.h"
#include "platform/app_error.h"
#include "platform/file_io.h"
#include "ui/accessible_controls.h"
#include "ui/announcer.h"
#include "ui/cursor_frame.h"
#include "ui/error_box.h"
#include "ui/fitted_text.h"
#include "ui/picture_control.h"
#include "ui/picture_text.h"
#include "ui/place_keeper.h"
#include "ui/png_image.h"
#include "ui/qt_text.h"
#include "ui/window_position.h"

namespace {

std::chrono::microseconds g_slidePacing{1000};

constexpr int kTileWidth = 35;
constexpr int kTileHeight = 43;
constexpr int kBoardLeft = 300;
constexpr int kBoardTop = 63;
constexpr int kLineFontSize = 16;
constexpr int kSmallestLineFontSize = 8;

int TileIndex(int column, int row)
{
    return (column - 1) * (kRows - kFirstVisibleRow + 1) + (row - kFirstVisibleRow);
}

// Where a visible cell's tile stands in the window.
QRect CellRect(int column, int row)
{
    return {kBoardLeft + (column - 1) * kTileWidth, kBoardTop + (row - kFirstVisibleRow) * kTileHeight, kTileWidth,
            kTileHeight};
}

// Rows as the player counts them, from the top of the visible board.
int VisibleRow(int row)
{
    return row - kFirstVisibleRow + 1;
}

// The keys of keyboard play, pressed without Ctrl, Shift, Alt or Meta. A
// held arrow or Backspace repeats; a held Space or Enter acts once, as a
// held mouse button does.
std::optional<PlayKey> PlayKeyOf(const QKeyEvent& event)
{
    if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return std::nullopt;
    switch (event.key()) {
    case Qt::Key_Left:
        return PlayKey::Left;
    case Qt::Key_Right:
        return PlayKey::Right;
    case Qt::Key_Up:
        return PlayKey::Up;
    case Qt::Key_Down:
        return PlayKey::Down;
    case Qt::Key_Backspace:
        return PlayKey::Backspace;
    case Qt::Key_Space:
        return event.isAutoRepeat() ? std::nullopt : std::optional(PlayKey::Space);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return event.isAutoRepeat() ? std::nullopt : std::optional(PlayKey::Enter);
    default:
        return std::nullopt;
    }
}

QLabel* MakeLineLabel(QWidget* parent, const char* name, int top, bool bold)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(40, top, 221, 23);
    label->setAlignment(Qt::AlignCenter);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setTextFormat(Qt::PlainText);
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPixelSize(kLineFontSize);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 255, 0));
    label->setPalette(palette);
    return label;
}

}  // namespace

Tfrm_Main::Tfrm_Main(const DataLocations& locations, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      DragWindow(this),
      locations_(locations),
      game_(*this, locations.programDir)
{
    setObjectName(QStringLiteral("frm_Main"));
    setWindowTitle(QStringLiteral("Vorpanta"));
    PresentAsWindow(this);
    setFixedSize(kWidth, kHeight);
    move(214, 230);
    placeKeeper_ = new PlaceKeeper(this);
    CreateControls();
    FormCreate();
}

Tfrm_Main::~Tfrm_Main() = default;

void Tfrm_Main::CreateControls()
{
    Image1 = new PictureControl(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, kWidth, kHeight);
    Image1->SetPicture(LoadPng(BackgroundPicture()));
    ConnectDragPicture(Image1);

    Label1 = MakeLineLabel(this, "Label1", 72, true);
    // Read as its word, or as nothing while it shows the empty word.
    SetSpokenText(Label1, QString());
    Label2 = MakeLineLabel(this, "Label2", 112, false);
    Label2->setText(QString::fromUtf8("Eredmény: 0 pont"));
    Jatekszabaly = AddPictureText(this, "Jatekszabaly", QRect(10, 150, 280, 304), RulesPictureText());

    // The tiles of the visible rows; each shows once its cell is drawn.
    for (int column = 1; column <= kColumns; ++column) {
        for (int row = kFirstVisibleRow; row <= kRows; ++row) {
            auto* tile = new PictureControl(this);
            PresentAsButton(tile, "Clicked", Focusable::Yes);
            tile->setObjectName(QStringLiteral("i%1i%2").arg(column).arg(row));
            tile->setGeometry(CellRect(column, row));
            tile->hide();
            connect(tile, &PictureControl::Clicked, this, [this, tile] {
                // A click with the mouse puts the keyboard cursor away.
                cursor_.Hide();
                RunGuarded(this, [&] { game_.Image1Click(tile->objectName().toStdString()); });
            });
            connect(tile, &PictureControl::MouseUp, this, [this](Qt::MouseButton button) {
                const MouseButton b = button == Qt::LeftButton    ? MouseButton::Left
                                      : button == Qt::RightButton ? MouseButton::Right
                                      : button == Qt::MiddleButton ? MouseButton::Middle
                                                                   : MouseButton::Other;
                RunGuarded(this, [&] { game_.SubmitWord(b); });
            });
            tiles_[TileIndex(column, row)] = tile;
        }
    }
    CursorFrame1 = new CursorFrame(this);
    Announcer1 = new Announcer(this);
    CreateCommands();
}

void Tfrm_Main::FormCreate()
{
    RunGuarded(this, [this] {
        // A new data folder gets the shipped word list while the window opens.
        listCopy_ = WordListCopy::Start(locations_);
        settings_ = LoadSettings(locations_.settingsFile);
        game_.CreateBoard();
        game_.LoadWordLists(locations_.dataDir, listCopy_);
        game_.SetGameActive(true);
    });
    // Never fails: a missing or unreadable record is simply none.
    game_.LoadBestWord(locations_.dataDir);
    game_.OpenRecord(locations_.dataDir);
}

void Tfrm_Main::showEvent(QShowEvent* event)
{
    if (!shown_ && !event->spontaneous()) {
        shown_ = true;
        FormShow();
    }
    QWidget::showEvent(event);
}

void Tfrm_Main::FormShow()
{
    // The saved place, unless it leaves nothing of the window within reach
    // on any screen (a screen was unplugged or has shrunk).
    move(StartPosition(QPoint(settings_.left, settings_.top), size()));
    placeKeeper_->Place(pos());
}

void Tfrm_Main::closeEvent(QCloseEvent* event)
{
    if (closed_ || FormClose()) {
        closed_ = true;
        event->accept();
    } else {
        event->ignore();
    }
}

void Tfrm_Main::CloseToEnd()
{
    ending_ = true;
    if (!closed_)
        close();
    QCoreApplication::quit();
}

void Tfrm_Main::BringToFront()
{
    if (closed_)
        return;
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != this) {
        modal->raise();
        modal->activateWindow();
    }
}

bool Tfrm_Main::FormClose()
{
    try {
        Settings current = settings_;
        // Where the compositor places the window, the program never learns
        // the position; the one saved before is kept for the next session
        // that can use it.
        if (!CompositorPlacesWindows()) {
            // A window manager that kept the window maximised or full screen
            // has it in a corner: its own place is where it stood before.
            const QPoint place =
                placeKeeper_->Enlarged() ? placeKeeper_->NormalPlace() : ActualWindowPosition(this);
            current.left = place.x();
            current.top = place.y();
        }
        SaveSettings(locations_.settingsFile, current);
    } catch (const std::exception& error) {
        // The first failure keeps the game open, so the player can mend the
        // file and close again. A player who closes once more after that
        // means to leave: the word lists are saved and only the window's
        // place is lost.
        if (!settingsUnwritable_ && !ending_) {
            settingsUnwritable_ = true;
            ShowErrorBox(this, error.what());
            return false;
        }
    }
    game_.SaveWordLists();
    return true;
}

QString Tfrm_Main::BackgroundPicture()
{
    return QStringLiteral(":/assets/art/main_background.png");
}

PictureControl* Tfrm_Main::Tile(int column, int row) const
{
    if (column < 1 || column > kColumns || row < kFirstVisibleRow || row > kRows)
        return nullptr;
    return tiles_[TileIndex(column, row)];
}

QImage Tfrm_Main::ReadTilePicture(const std::string& picturePath)
{
    const QImage picture = tilePictures_.Bitmap(fileio::ReadWholeFile(picturePath));
    if (picture.isNull())
        throw CannotOpenFile(picturePath, "Not a valid bitmap picture");
    return picture;
}

void Tfrm_Main::ShowTilePicture(int column, int row, const std::string& picturePath)
{
    PictureControl* tile = Tile(column, row);
    tile->SetPicture(ReadTilePicture(picturePath));
    tile->show();
    NameTile(column, row);
}

void Tfrm_Main::HideTile(int column, int row)
{
    // The hidden tile still names its place, for the keyboard cursor.
    Tile(column, row)->hide();
    SetSpokenName(Tile(column, row), ToQString(EmptyCellSpokenName(column, VisibleRow(row))));
}

void Tfrm_Main::NameTile(int column, int row)
{
    const BoardCell& cell = game_.GetBoard().At(column, row);
    SetSpokenName(Tile(column, row),
                  ToQString(TileSpokenName(cell.letter, column, VisibleRow(row), cell.selected)));
}

void Tfrm_Main::SlideTile(int column, int row, const std::string& picturePath)
{
    PictureControl* tile = Tile(column, row);
    try {
        tile->SetPicture(ReadTilePicture(picturePath));
    } catch (const AppError&) {
        // Slides as it is; the redraw of the row below reports the picture.
    }
    const QPoint home = tile->pos();
    // The sliding tile passes above the tile of the row below, and below
    // the keyboard cursor.
    tile->raise();
    CursorFrame1->raise();
    for (int step = 1; step <= 21; ++step) {
        const QRect before = tile->geometry();
        tile->move(home.x(), home.y() + 2 * step);
        repaint(before.united(tile->geometry()));
        if (g_slidePacing.count() > 0)
            std::this_thread::sleep_for(g_slidePacing);
    }
    tile->hide();
    tile->move(home);
}

void Tfrm_Main::SetWordLine(const std::string& text)
{
    // A long word would run off both ends of the band behind the line; its
    // letters then get smaller until the whole line fits.
    ShowFitted(Label1, ToQString(text), Label1->width(), kLineFontSize, kSmallestLineFontSize);
    SetSpokenText(Label1, ToQString(WordLineSpokenText(text)));
}

void Tfrm_Main::Announce(const std::string& sentence)
{
    Announcer1->Say(ToQString(sentence));
}

void Tfrm_Main::SetScoreLine(const std::string& text)
{
    Label2->setText(ToQString(text));
}

void Tfrm_Main::SetSlidePacing(std::chrono::microseconds pause)
{
    g_slidePacing = pause;
}

std::chrono::microseconds Tfrm_Main::SlidePacing()
{
    return g_slidePacing;
}

void Tfrm_Main::ShowCursor(int column, int row)
{
    CursorFrame1->Surround(CellRect(column, row));
    CursorFrame1->raise();
    CursorFrame1->show();
    UpdateCursorFocus();
}

void Tfrm_Main::HideCursor()
{
    CursorFrame1->hide();
    UpdateCursorFocus();
}

void Tfrm_Main::UpdateCursorFocus()
{
    // The tile under the cursor holds the focus; on an empty cell its hidden
    // tile does, named by the place.
    PictureControl* holder = cursor_.Shown() ? Tile(cursor_.Column(), cursor_.Row()) : nullptr;
    if (holder == cursorFocus_)
        return;
    if (cursorFocus_)
        SetAccessibleFocus(cursorFocus_, false);
    cursorFocus_ = holder;
    if (holder)
        SetAccessibleFocus(holder, true);
}

void Tfrm_Main::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Back from a modal window (or from another program): once the window
    // system has told that this window is active, a screen reader hears
    // where the keyboard cursor stands.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (isActiveWindow() && cursorFocus_)
                    AnnounceFocus(cursorFocus_);
            },
            Qt::QueuedConnection);
}

void Tfrm_Main::keyPressEvent(QKeyEvent* event)
{
    const std::optional<PlayKey> key = PlayKeyOf(*event);
    bool used = false;
    if (key)
        RunGuarded(this, [&] { used = cursor_.Press(*key); });
    if (used)
        event->accept();
    else
        QWidget::keyPressEvent(event);
}
