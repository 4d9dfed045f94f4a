// The folders the game lives in: its own program folder and the shared data
// folder of the desktop. Paths are native file-system strings.
#pragma once

#include <string>

namespace folders {

// The full path of the running program file.
std::string ProgramFilePath();

// The folder part of a program path without the trailing separator:
// "/usr/games/vorpanta" gives "/usr/games", "/vorpanta" gives "" (the root).
// Letter case is kept: this file system tells names apart by case.
std::string FolderOfProgram(const std::string& programFile);

// The desktop's shared data folder for applications (XDG data home,
// normally ~/.local/share); empty when it cannot be found.
std::string SharedDataFolder();

}  // namespace folders
