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
#include "ui/decoded_pictures.h"
#include "ui/window_drag.h"

class QLabel;
class PictureControl;

class Tfrm_Main : public QWidget, public BoardView {
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
    void SlideTile(int column, int row) override;
    void SetWordLine(const std::string& text) override;
    void SetScoreLine(const std::string& text) override;

    // The pause after each of the 21 steps of a sliding tile, so the eye can
    // follow it; tests set it to zero.
    static void SetSlidePacing(std::chrono::microseconds pause);
    static std::chrono::microseconds SlidePacing();

    Game& GetGame() { return game_; }
    const DataLocations& Locations() const { return locations_; }
    const Settings& SavedSettings() const { return settings_; }
    PictureControl* Tile(int column, int row) const;

    // The background picture, which start-up decodes early.
    static QString BackgroundPicture();

    PictureControl* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    // --- Commands (frm_main_commands.cpp) ---
public:
    // The command list: nine commands, each with its Hungarian command text
    // as hint (never shown) and four with a keyboard shortcut.
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
    // Saves settings and word lists; false when the close must be abandoned.
    bool FormClose();

    void CreateControls();
    void Image1MouseDown(Qt::MouseButton button);
    void Image1MouseMove();
    void Image1MouseUp();

    DataLocations locations_;
    // The shipped word list being placed in a new data folder; the word
    // lists wait for it before they save.
    std::shared_ptr<WordListPlacement> placement_;
    Settings settings_;
    Game game_;
    WindowDrag drag_;
    DecodedPictures tilePictures_;
    bool shown_ = false;
    std::array<PictureControl*, kColumns*(kRows - kFirstVisibleRow + 1)> tiles_{};
};
