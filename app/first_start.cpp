#include "app/first_start.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "platform/background_priority.h"
#include "platform/file_io.h"

namespace {

constexpr const char* kWordListName = "SzavakLista.txt";
constexpr const char* kMarkerName = ".SzavakLista.placing";

// The folder that holds `path`; empty for a path without one.
std::string ParentOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos || slash + 1 == path.size())
        return {};
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes `dataDir` appear holding the marker, in one step as far as a crash
// can tell: the folder is made under a fixed temporary name beside it, gets
// the marker, and is renamed into place. A temporary folder that a crash
// left behind is simply used again. Nothing is flushed to disk here, where
// the window waits: a journaling file system keeps the marker's making
// ahead of the rename, and CopyList flushes both before it copies.
bool CreateMarkedFolder(const std::string& dataDir)
{
    const std::string parent = ParentOf(dataDir);
    if (parent.empty() || !fileio::ForceDirectories(parent))
        return false;
    std::string stagingName = ".";
    stagingName.append(dataDir, dataDir.find_last_of('/') + 1);
    stagingName += ".new";
    const std::string staging = fileio::JoinPath(parent, stagingName);
    if (::mkdir(staging.c_str(), 0777) != 0 && errno != EEXIST)
        return false;
    const std::string marker = fileio::JoinPath(staging, kMarkerName);
    const int fd = ::open(marker.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    ::close(fd);
    if (::rename(staging.c_str(), dataDir.c_str()) != 0) {
        // Another start made the data folder first: this rename, and any
        // other of the temporary folder, can no longer succeed.
        ::unlink(marker.c_str());
        ::rmdir(staging.c_str());
        return false;
    }
    return true;
}

// Makes the data folder when it is missing; true when the shipped list is to
// be copied into it.
bool PrepareFolder(const DataLocations& locations)
{
    const std::string shipped = ShippedWordListPath(locations.programDir);
    if (!fileio::DirectoryExists(locations.dataDir)) {
        // Another start may make the folder at the same moment; either way
        // it then holds the marker.
        if (!fileio::FileExists(shipped) || !CreateMarkedFolder(locations.dataDir))
            fileio::ForceDirectories(locations.dataDir);
    }
    return fileio::FileExists(fileio::JoinPath(locations.dataDir, kMarkerName)) && fileio::FileExists(shipped);
}

// Copies the shipped list under the marker's lock, unless the list is there
// already (a start before this one got as far as renaming it into place).
bool CopyList(const std::string& dataDir, const std::string& shipped)
{
    const std::string marker = fileio::JoinPath(dataDir, kMarkerName);
    const int fd = ::open(marker.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)  // another start has just finished
        return !fileio::FindFileNoCase(dataDir, kWordListName).empty();
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }  // releases the lock
    } closer{fd};
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
    // Whoever held the lock before may have finished; the list is then found
    // below and not copied again.

    // The marker, and the folder that holds it, reach the disk before the list.
    fileio::SyncFolder(dataDir);
    fileio::SyncFolder(ParentOf(dataDir));
    if (fileio::FindFileNoCase(dataDir, kWordListName).empty()) {
        std::string reason;
        if (!fileio::CopyFileAtomic(shipped, fileio::JoinPath(dataDir, kWordListName), reason))
            return false;  // the marker stays, and the next start tries again
    }
    // The list's name must be on disk before the marker goes.
    fileio::SyncFolder(dataDir);
    ::unlink(marker.c_str());
    fileio::SyncFolder(dataDir);
    return true;
}

bool CopyListNoThrow(const std::string& dataDir, const std::string& shipped)
{
    try {
        return CopyList(dataDir, shipped);
    } catch (...) {
        return false;  // out of memory: the marker stays
    }
}

}  // namespace

std::string ShippedWordListPath(const std::string& programDir)
{
    return fileio::JoinPath(fileio::JoinPath(programDir, "dictionary"), kWordListName);
}

WordListCopy::WordListCopy(std::string dataDir, std::string source)
    : dataDir_(std::move(dataDir)), source_(std::move(source))
{
}

WordListCopy::~WordListCopy()
{
    Wait();
}

std::shared_ptr<WordListCopy> WordListCopy::Start(const DataLocations& locations)
{
    if (!PrepareFolder(locations))
        return nullptr;
    std::shared_ptr<WordListCopy> copy(new WordListCopy(locations.dataDir, ShippedWordListPath(locations.programDir)));
    try {
        copy->copying_ = std::async(std::launch::async, [dataDir = copy->dataDir_, source = copy->source_] {
            // The window comes first.
            LowerThisThreadsPriority();
            return CopyListNoThrow(dataDir, source);
        });
    } catch (const std::system_error&) {
        copy->copied_ = CopyListNoThrow(copy->dataDir_, copy->source_);  // no thread to be had
    }
    return copy;
}

bool WordListCopy::Wait()
{
    if (!copied_)
        copied_ = copying_.get();
    return *copied_;
}

bool PrepareDataFolder(const DataLocations& locations)
{
    return PrepareFolder(locations) &&
           CopyListNoThrow(locations.dataDir, ShippedWordListPath(locations.programDir));
}
