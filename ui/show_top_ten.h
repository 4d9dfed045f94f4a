// The high-score table: shows the top-ten window and, at the end of a game,
// enters the game's score into "Top10.txt" with the name the player types.
#pragma once

#include <cstdint>
#include <string>

class QWidget;

enum class TopTenMode { Viewing, EndOfGame };

// Reads the table, adds the score (end of a game), shows the window modally
// centred over `mainWindow`, and writes the table back (end of a game).
// Throws AppError when the file cannot be read or written.
void ShowTopTen(QWidget* mainWindow, const std::string& dataDir, std::int32_t score, TopTenMode mode);
