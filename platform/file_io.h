// Whole-file reads and crash-safe whole-file writes, and the few file system
// questions the game asks. Paths are native file-system byte strings (UTF-8
// on Linux), never game text.
#pragma once

#include <cstddef>
#include <functional>
#include <limits>
#include <string>
#include <string_view>

namespace fileio {

// A regular file (or a link to one) exists at `path`. A folder does not count.
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// A file stands at `path` that we may not write, or that has no write
// permission at all (which root could override; a replacing save must not).
bool WriteProtected(const std::string& path);
// Creates the folder with all missing parents; true when it exists afterwards.
bool ForceDirectories(const std::string& path);

// The whole content of a file. Throws AppError "Cannot open file ..." with the
// system's reason when the file cannot be opened or read.
std::string ReadWholeFile(const std::string& path);

// The rest of the open file `fd`, read straight into `buffer`, whose size is
// the room expected (give one byte more than the file holds, so that the end
// shows without growing it); grows it when the file is larger, up to `limit`
// bytes ("File too large" beyond). Closes the file. Fails like ReadWholeFile.
std::string ReadOpenFile(int fd, const std::string& path, std::string buffer,
                         std::size_t limit = std::numeric_limits<std::size_t>::max());

// Writes `data` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`, so that a crash at any moment leaves either the old
// or the new content. On failure the old file is untouched, the temporary
// file is removed, false is returned and `reason` tells why. A file without
// write permission is never replaced.
bool WriteWholeFileAtomic(const std::string& path, std::string_view data, std::string& reason);

// The same for a text handed over in pieces: `produce` gives each piece to
// the sink it gets, in order, and returns false to give up (as it must when
// the sink returns false). The whole text is never held at once.
using PieceSink = std::function<bool(std::string_view)>;
bool WriteFileAtomic(const std::string& path, const std::function<bool(const PieceSink&)>& produce,
                     std::string& reason);

// Copies the file at `source` to `path` in the same crash-safe way, a piece
// at a time, so that even a large file is never held whole in memory.
bool CopyFileAtomic(const std::string& source, const std::string& path, std::string& reason);

// Flushes a folder's entries (names made, renamed or removed in it) to disk.
void SyncFolder(const std::string& folder);

// The path of the entry in `folder` whose name equals `name` ignoring ASCII
// letter case, preferring the exact spelling; empty when there is none.
std::string FindFileNoCase(const std::string& folder, const std::string& name);

// Joins a folder and a name with the platform separator.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace fileio
