#include "app/first_start.h"

#include "platform/file_io.h"

std::string ShippedWordListPath(const std::string& programDir)
{
    return fileio::JoinPath(fileio::JoinPath(programDir, "dictionary"), "SzavakLista.txt");
}

bool PrepareDataFolder(const DataLocations& locations)
{
    if (fileio::DirectoryExists(locations.dataDir))
        return false;
    if (!fileio::ForceDirectories(locations.dataDir))
        return false;
    const std::string shipped = ShippedWordListPath(locations.programDir);
    if (!fileio::FileExists(shipped))
        return false;
    try {
        const std::string words = fileio::ReadWholeFile(shipped);
        std::string reason;
        return fileio::WriteWholeFileAtomic(fileio::JoinPath(locations.dataDir, "SzavakLista.txt"), words, reason);
    } catch (const std::exception&) {
        return false;
    }
}
