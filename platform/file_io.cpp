#include "platform/file_io.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/app_error.h"

namespace fileio {
namespace {

QString toQtPath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string systemReason(int error)
{
    return std::strerror(error);
}

// The system's own words for a failed write ("No space left on device"),
// which Qt sometimes reduces to "Unknown error".
std::string failureReason(const QFileDevice& file)
{
    const std::string qtReason = file.errorString().toStdString();
    if ((qtReason.empty() || qtReason == "Unknown error") && errno != 0)
        return systemReason(errno);
    return qtReason;
}

}  // namespace

bool FileExists(const std::string& path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

namespace {

// Why a file standing at `path` may not be replaced, as an errno value; 0
// when it may (or nothing stands there).
int WriteProtection(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return 0;
    if ((st.st_mode & 0222) == 0)
        return EACCES;
    return ::access(path.c_str(), W_OK) == 0 ? 0 : errno;
}

}  // namespace

bool WriteProtected(const std::string& path)
{
    return WriteProtection(path) != 0;
}

bool ForceDirectories(const std::string& path)
{
    if (path.empty())
        return false;
    QDir().mkpath(toQtPath(path));
    return DirectoryExists(path);
}

std::string ReadWholeFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw CannotOpenFile(path, systemReason(errno));
    struct stat st {};
    std::size_t size = 0;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
        size = static_cast<std::size_t>(st.st_size);
    // One byte more than the file holds, so that its end shows at once.
    std::string buffer;
    try {
        buffer.assign(size + 1, '\0');
    } catch (...) {
        ::close(fd);
        throw;
    }
    return ReadOpenFile(fd, path, std::move(buffer));
}

std::string ReadOpenFile(int fd, const std::string& path, std::string buffer, std::size_t limit)
{
    // The file is closed however this ends, running out of memory included.
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    constexpr std::size_t kStep = 1 << 16;
    const std::size_t mostRoom = limit < std::numeric_limits<std::size_t>::max() ? limit + 1 : limit;
    std::size_t size = 0;
    for (;;) {
        if (size == buffer.size()) {
            // The file is larger than the room given (it grew, or its size
            // was unknown): read on in steps, to one byte past the limit.
            if (buffer.size() > limit)
                throw CannotOpenFile(path, "File too large");
            buffer.resize(std::min(buffer.size() + kStep, mostRoom));
        }
        const ssize_t n = ::read(fd, buffer.data() + size, buffer.size() - size);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw CannotOpenFile(path, systemReason(errno));
        }
        size += static_cast<std::size_t>(n);
    }
    buffer.resize(size);
    return buffer;
}

bool WriteWholeFileAtomic(const std::string& path, std::string_view data, std::string& reason)
{
    return WriteFileAtomic(
        path, [data](const PieceSink& sink) { return sink(data); }, reason);
}

bool WriteFileAtomic(const std::string& path, const std::function<bool(const PieceSink&)>& produce,
                     std::string& reason)
{
    if (DirectoryExists(path)) {
        reason = systemReason(EISDIR);
        return false;
    }
    if (const int protection = WriteProtection(path)) {
        reason = systemReason(protection);
        return false;
    }
    QSaveFile file(toQtPath(path));
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        reason = failureReason(file);
        return false;
    }
    const bool produced = produce([&](std::string_view piece) {
        while (!piece.empty()) {
            const qint64 n = file.write(piece.data(), static_cast<qint64>(piece.size()));
            if (n <= 0) {
                reason = failureReason(file);
                return false;
            }
            piece.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    });
    // QSaveFile's commit renames even when flushing the last buffered bytes
    // fails, so flush first and give up while the old file is still there.
    if (!produced || !file.flush()) {
        if (produced)
            reason = failureReason(file);
        else if (reason.empty())
            reason = "Writing stopped";
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        reason = failureReason(file);
        return false;
    }
    return true;
}

bool CopyFileAtomic(const std::string& source, const std::string& path, std::string& reason)
{
    const int fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        reason = systemReason(errno);
        return false;
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    std::string piece(std::size_t(1) << 20, '\0');
    return WriteFileAtomic(
        path,
        [&](const PieceSink& sink) {
            for (;;) {
                const ssize_t n = ::read(fd, piece.data(), piece.size());
                if (n == 0)
                    return true;
                if (n < 0) {
                    if (errno == EINTR)
                        continue;
                    reason = systemReason(errno);
                    return false;
                }
                if (!sink(std::string_view(piece.data(), static_cast<std::size_t>(n))))
                    return false;
            }
        },
        reason);
}

void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

std::string FindFileNoCase(const std::string& folder, const std::string& name)
{
    const std::string exact = JoinPath(folder, name);
    if (FileExists(exact))
        return exact;
    DIR* dir = ::opendir(folder.empty() ? "/" : folder.c_str());
    if (!dir)
        return {};
    std::string found;
    while (const dirent* entry = ::readdir(dir)) {
        if (::strcasecmp(entry->d_name, name.c_str()) != 0)
            continue;
        const std::string candidate = JoinPath(folder, entry->d_name);
        if (!FileExists(candidate))
            continue;
        // Of several spellings, the lower-case one (the one the game writes
        // when it creates a file) wins.
        const std::string spelling = entry->d_name;
        bool lowerCase = true;
        for (char c : spelling)
            lowerCase = lowerCase && !(c >= 'A' && c <= 'Z');
        if (found.empty() || lowerCase)
            found = candidate;
    }
    ::closedir(dir);
    return found;
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    return folder + "/" + name;
}

}  // namespace fileio
