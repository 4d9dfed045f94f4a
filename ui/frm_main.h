// The main window: a borderless 670 × 480 picture window with the word line,
// the score line, the command buttons along the top and the 90 letter tiles.
// It owns the running game and shows it (it is the game's BoardView).
#pragma once

#include <QWidget>

#include <array>
#include <chrono>
#include <memory>
#include <string>

#include "app/data_locations.h"
#include "app/settings.h"
#include "game/board.h"
#include "game/board_view.h"
#include "game/game.h"
#include "game/keyboard_cursor.h"
#include "ui/decoded_pictures.h"
#include "ui/window_drag.h"

class Announcer;
class CursorFrame;
class QLabel;
class PictureControl;

class Tfrm_Main : public QWidget, public BoardView, public CursorView, protected DragWindow {
    Q_OBJECT
public:
    static constexpr int kWidth = 670;
    static constexpr int kHeight = 480;

    // Builds the window's controls, then runs FormCreate.
    explicit Tfrm_Main(const DataLocations& locations, QWidget* parent = nullptr);
    ~Tfrm_Main() override;

    // BoardView
    void ShowTilePicture(int column, int row, const std::string& picturePath) override;
    void HideTile(int column, int row) override;
    void SlideTile(int column, int row, const std::string& picturePath) override;
    void SetWordLine(const std::string& text) override;
    void SetScoreLine(const std::string& text) override;
    void Announce(const std::string& sentence) override;

    // CursorView
    void ShowCursor(int column, int row) override;
    void HideCursor() override;

    // The pause after each of the 21 steps of a sliding tile, so the eye can
    // follow it; tests set it to zero.
    static void SetSlidePacing(std::chrono::microseconds pause);
    static std::chrono::microseconds SlidePacing();

    Game& GetGame() { return game_; }
    const DataLocations& Locations() const { return locations_; }
    const Settings& SavedSettings() const { return settings_; }
    PictureControl* Tile(int column, int row) const;
    const KeyboardCursor& Cursor() const { return cursor_; }

    // The background picture, which start-up decodes early.
    static QString BackgroundPicture();

    // Whether the window has closed (its close ran and was not abandoned).
    bool Closed() const { return closed_; }
    // The close when the program is ended from outside: the same saves as a
    // close, but a settings file that cannot be written keeps nothing open
    // (nobody may be there to read a message); the program then ends.
    void CloseToEnd();
    // Another start of the game asked for this one: the window comes back
    // from the task bar if need be, is raised and activated, and so is a
    // modal window open over it.
    void BringToFront();

    PictureControl* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    // The keyboard cursor's ring, above the tiles; no control of its own
    // for a screen reader.
    CursorFrame* CursorFrame1 = nullptr;
    // The rules, which the background picture shows, for a screen reader.
    QWidget* Jatekszabaly = nullptr;
    // Says what happens to a screen reader; never seen.
    Announcer* Announcer1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    // The arrow keys, Space, Backspace and Enter play; other keys go on to
    // the command list's shortcuts.
    void keyPressEvent(QKeyEvent* event) override;

    // --- Commands (frm_main_commands.cpp) ---
public:
    // The command list: twelve commands, each with its Hungarian command text
    // as hint (never shown) and eight with a keyboard shortcut.
    QObject* ActionList1 = nullptr;
    QAction* aUj = nullptr;
    QAction* aStop = nullptr;
    QAction* aTop10 = nullptr;
    QAction* aNevjegy = nullptr;
    QAction* aUjdonsag = nullptr;
    QAction* aHonlap = nullptr;
    QAction* aMinimize = nullptr;
    QAction* aBezar = nullptr;
    QAction* aSzohozza = nullptr;
    QAction* aSzavak = nullptr;  // the words window (F2); no button
    QAction* aNapi = nullptr;         // today's board (Ctrl+D); no button
    QAction* aStatisztika = nullptr;  // the statistics window (F3); no button

    // The command buttons along the top edge; each click runs its handler.
    class TPNGButton* PNGButton1 = nullptr;  // aStop
    class TPNGButton* PNGButton2 = nullptr;  // aTop10
    class TPNGButton* PNGButton3 = nullptr;  // aNevjegy
    class TPNGButton* PNGButton4 = nullptr;  // aUj
    class TPNGButton* PNGButton5 = nullptr;  // aUjdonsag
    class TPNGButton* PNGButton6 = nullptr;  // aHonlap
    class TPNGButton* PNGButton7 = nullptr;  // aMinimize
    class TPNGButton* PNGButton8 = nullptr;  // aBezar

    // Opens the maker's web pages in the default browser.
    class WebOpener* Exe = nullptr;

    // The command handlers; each shows an error that escapes it in the
    // error box and returns.
    void aUjExecute();
    void aStopExecute();
    void aTop10Execute();
    void aNevjegyExecute();
    void aUjdonsagExecute();
    void aHonlapExecute();
    void aMinimizeExecute();
    void aBezarExecute();
    void aSzohozzaExecute();
    void aSzavakExecute();
    void aNapiExecute();
    void aStatisztikaExecute();

    // The addresses of the maker's news page and home page.
    static QString NewsPageAddress();
    static QString HomePageAddress();

protected:
    void CreateCommands();
    // Gives the main window the activation back once a modal window of a
    // command has closed (nothing else does when there is no window manager).
    void ReturnFromModal();
    // --- end of commands ---

private:
    void FormCreate();
    void FormShow();
    // Saves settings and word lists; false when the close must be abandoned
    // (the first time the settings cannot be written).
    bool FormClose();

    void CreateControls();
    // The tile's accessible name from its cell: letter, place, selection.
    // A tile picture read from disk, as every draw reads it; throws
    // "Cannot open file" when it is missing or not a bitmap.
    QImage ReadTilePicture(const std::string& picturePath);
    void NameTile(int column, int row);
    // Gives the accessible focus to the tile the keyboard cursor is on
    // (hidden on an empty cell, and named by its place), or takes it away.
    void UpdateCursorFocus();

    DataLocations locations_;
    // The shipped word list being copied into a new data folder; the word
    // lists wait for it before they save.
    std::shared_ptr<WordListCopy> listCopy_;
    Settings settings_;
    Game game_;
    KeyboardCursor cursor_{game_, *this};
    PictureControl* cursorFocus_ = nullptr;
    DecodedPictures tilePictures_;
    bool shown_ = false;
    // A close has already failed to write the settings file.
    bool settingsUnwritable_ = false;
    bool closed_ = false;
    // The program is being ended from outside (CloseToEnd).
    bool ending_ = false;
    // Undoes a window manager's maximise or full-screen request.
    class PlaceKeeper* placeKeeper_ = nullptr;
    std::array<PictureControl*, kColumns*(kRows - kFirstVisibleRow + 1)> tiles_{};
};
