// Shared helpers of the tests: temporary folders, a program folder with the
// tile pictures, a recording view of the board, and the error box recorder.
#pragma once

#include <QString>
#include <QTemporaryDir>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "app/data_locations.h"
#include "game/board_view.h"

class QWidget;

namespace testing_support {

// Native path of a folder that lives as long as the object.
class TempFolder {
public:
    TempFolder();
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    QTemporaryDir dir_;
    std::string path_;
};

// Writes bytes to a file, creating or replacing it.
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// A program folder holding "Ico" with the built tile pictures, and a data
// folder beside it; the settings file lies in the data folder.
struct GameFolders {
    TempFolder root;
    DataLocations locations;
    GameFolders();
};

// Records every call of the view as one line of text, e.g.
// "show 3 27 n", "hide 3 25", "slide 3 26", "word ALMA (24)", "score ...".
// Picture paths are reduced to "n"/"a" and the letter (UTF-8).
class RecordingView : public BoardView {
public:
    void ShowTilePicture(int column, int row, const std::string& picturePath) override;
    void HideTile(int column, int row) override;
    void SlideTile(int column, int row, const std::string& picturePath) override;
    void SetWordLine(const std::string& text) override;
    void SetScoreLine(const std::string& text) override;
    // Kept apart from the calls, in `spoken` (UTF-8).
    void Announce(const std::string& sentence) override;

    std::vector<std::string> calls;
    // The picture each slide showed, e.g. "3 26 nE", kept apart from the
    // calls.
    std::vector<std::string> slidePictures;
    // What was said to a screen reader, in order.
    std::vector<std::string> spoken;
    // Calls since the last Take().
    std::vector<std::string> Take();
    // When set, ShowTilePicture of this picture file name throws like a
    // missing picture.
    std::string failingPicture;
};

// What a child process does before its attempt: become an ordinary user
// (root may read and write anything), or have its files limited to a size.
enum class ChildSetUp { OrdinaryUser, FileSizeLimit };
constexpr unsigned kNobody = 65534;

// Runs `attempt` in a child process after `setUp` (with `fileSizeLimit` for
// FileSizeLimit) and returns what it returned; "uncaught: ..." when it threw,
// "child failed, status N" when the child did not report. Only the game's
// core may run in the child.
std::string InChild(ChildSetUp setUp, const std::function<std::string()>& attempt, unsigned long fileSizeLimit = 0);

// Collects error box texts instead of showing message boxes while alive.
class ErrorBoxRecorder {
public:
    ErrorBoxRecorder();
    ~ErrorBoxRecorder();
    std::vector<QString> texts;
};

// Sets the drop animation's pause to zero while alive.
class NoSlidePacing {
public:
    NoSlidePacing();
    ~NoSlidePacing();

private:
    std::chrono::microseconds saved_;
};

}  // namespace testing_support
