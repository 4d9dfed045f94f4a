// Where the program and the player's data live, worked out once at start.
#pragma once

#include <string>

struct DataLocations {
    std::string programDir;    // folder of the program file, no trailing separator
    std::string dataDir;       // folder of the settings, word lists and top-ten file
    std::string settingsFile;  // dataDir + "/Vorpanta.ini"
};

// The settings file beside the program selects the portable mode (all data
// beside the program); otherwise the data live in "Vorpanta" under the shared
// data folder, or beside the program when there is no shared folder.
DataLocations ComputeDataLocations(const std::string& programDir, const std::string& sharedFolder);

// The locations of this run.
DataLocations DetectDataLocations();
