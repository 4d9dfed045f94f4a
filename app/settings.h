// The settings file "Vorpanta.ini": where the main window stood, and the
// integer setting Hard, kept from one run to the next.
//
//   [Screen]  Left, Top   window position in screen pixels (default 10, 10)
//   [Game]    Hard        3 to 5; anything else becomes 4
#pragma once

#include <cstdint>
#include <string>

struct Settings {
    std::int32_t left = 10;
    std::int32_t top = 10;
    std::int32_t hard = 4;
};

// Reads the three values; a missing file, section or key, or a value that is
// not an integer, gives that key's default. Never fails.
Settings LoadSettings(const std::string& settingsFile);

// Writes Left, Top and Hard in this order, keeping every other line of the
// file. The file is replaced crash-safe. Throws AppError
// "Unable to write to <settingsFile>" when it cannot be written.
void SaveSettings(const std::string& settingsFile, const Settings& settings);
