#include "app/data_locations.h"

#include "platform/file_io.h"
#include "platform/folders.h"

DataLocations ComputeDataLocations(const std::string& programDir, const std::string& sharedFolder)
{
    DataLocations locations;
    locations.programDir = programDir;
    if (fileio::FileExists(fileio::JoinPath(programDir, "Vorpanta.ini")))
        locations.dataDir = programDir;
    else if (!sharedFolder.empty())
        locations.dataDir = fileio::JoinPath(sharedFolder, "Vorpanta");
    else
        locations.dataDir = programDir;
    locations.settingsFile = fileio::JoinPath(locations.dataDir, "Vorpanta.ini");
    return locations;
}

DataLocations DetectDataLocations()
{
    return ComputeDataLocations(folders::FolderOfProgram(folders::ProgramFilePath()), folders::SharedDataFolder());
}
