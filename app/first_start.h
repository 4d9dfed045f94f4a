// The first start in a data folder: the folder is created with its parents,
// and the word list shipped with the program is placed in it, so that a new
// player's game knows words at once. An existing data folder is never
// touched, so a player who emptied the word list keeps it empty.
#pragma once

#include <string>

#include "app/data_locations.h"

// Where the program keeps the word list it ships with.
std::string ShippedWordListPath(const std::string& programDir);

// Creates the data folder when it is missing and places the shipped word list
// in the new folder. Failures are not reported: a game without a data folder
// or without the list still runs, and its saves fail as they would anyway.
// Returns true when the shipped list was placed.
bool PrepareDataFolder(const DataLocations& locations);
