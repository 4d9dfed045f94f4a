#include "ui/frm_main.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QShowEvent>

#include <thread>

#include "app/first_start.h"
#include "platform/app_error.h"
#include "platform/file_io.h"
#include "ui/error_box.h"
#include "ui/picture_control.h"
#include "ui/png_image.h"
#include "ui/qt_text.h"

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
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), locations_(locations), game_(*this, locations.programDir)
{
    setObjectName(QStringLiteral("frm_Main"));
    setWindowTitle(QStringLiteral("Vorpanta"));
    setFixedSize(kWidth, kHeight);
    move(214, 230);
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
    connect(Image1, &PictureControl::MouseDown, this, [this](Qt::MouseButton b) { Image1MouseDown(b); });
    connect(Image1, &PictureControl::MouseMoved, this, [this] { Image1MouseMove(); });
    connect(Image1, &PictureControl::MouseUp, this, [this](Qt::MouseButton) { Image1MouseUp(); });

    Label1 = MakeLineLabel(this, "Label1", 72, true);
    Label2 = MakeLineLabel(this, "Label2", 112, false);
    Label2->setText(QString::fromUtf8("Eredmény: 0 pont"));

    // The tiles of the visible rows; each shows once its cell is drawn.
    for (int column = 1; column <= kColumns; ++column) {
        for (int row = kFirstVisibleRow; row <= kRows; ++row) {
            auto* tile = new PictureControl(this);
            tile->setObjectName(QStringLiteral("i%1i%2").arg(column).arg(row));
            tile->setGeometry(kBoardLeft + (column - 1) * kTileWidth, kBoardTop + (row - kFirstVisibleRow) * kTileHeight,
                              kTileWidth, kTileHeight);
            tile->hide();
            connect(tile, &PictureControl::Clicked, this, [this, tile] {
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
    CreateCommands();
}

void Tfrm_Main::FormCreate()
{
    RunGuarded(this, [this] {
        // A new data folder gets the shipped word list while the window opens.
        placement_ = WordListPlacement::Start(locations_);
        settings_ = LoadSettings(locations_.settingsFile);
        game_.CreateBoard();
        game_.LoadWordLists(locations_.dataDir, placement_);
        game_.SetGameActive(true);
    });
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
    move(settings_.left, settings_.top);
}

void Tfrm_Main::closeEvent(QCloseEvent* event)
{
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

bool Tfrm_Main::FormClose()
{
    try {
        Settings current = settings_;
        // Where the compositor places the window, the program never learns
        // the position; the one saved before is kept for the next session
        // that can use it.
        if (!CompositorPlacesWindows()) {
            current.left = x();
            current.top = y();
        }
        SaveSettings(locations_.settingsFile, current);
    } catch (const std::exception& error) {
        ShowErrorBox(this, error.what());
        return false;
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

void Tfrm_Main::ShowTilePicture(int column, int row, const std::string& picturePath)
{
    PictureControl* tile = Tile(column, row);
    const QImage picture = tilePictures_.Bitmap(fileio::ReadWholeFile(picturePath));
    if (picture.isNull())
        throw CannotOpenFile(picturePath, "Not a valid bitmap picture");
    tile->SetPicture(picture);
    tile->show();
}

void Tfrm_Main::HideTile(int column, int row)
{
    Tile(column, row)->hide();
}

void Tfrm_Main::SlideTile(int column, int row)
{
    PictureControl* tile = Tile(column, row);
    const QPoint home = tile->pos();
    // The sliding tile passes above the tile of the row below.
    tile->raise();
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
    const QString line = ToQString(text);
    QFont font = Label1->font();
    int size = kLineFontSize;
    font.setPixelSize(size);
    while (size > kSmallestLineFontSize && QFontMetrics(font).horizontalAdvance(line) > Label1->width())
        font.setPixelSize(--size);
    if (Label1->font().pixelSize() != size)
        Label1->setFont(font);
    Label1->setText(line);
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

void Tfrm_Main::Image1MouseDown(Qt::MouseButton button)
{
    drag_.MouseDown(this, button);
}

void Tfrm_Main::Image1MouseMove()
{
    drag_.MouseMove(this);
}

void Tfrm_Main::Image1MouseUp()
{
    drag_.MouseUp();
}
