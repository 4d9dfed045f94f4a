#include "game/word_lists.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/text_helpers.h"
#include "platform/app_error.h"
#include "platform/file_io.h"

namespace {

std::string LowerAscii(std::string name)
{
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

// The existing file of that name in any letter case, else the lower-case
// name under which the list will be created.
std::string ListPath(const std::string& dataDir, const std::string& name, bool& exists)
{
    std::string path = fileio::FindFileNoCase(dataDir, name);
    exists = !path.empty();
    return exists ? path : fileio::JoinPath(dataDir, LowerAscii(name));
}

// The rest of an open word list file, read straight into a buffer of the
// size the file had when opened (in one piece, no growing copies); closes
// the file. Fails like fileio::ReadWholeFile.
std::string ReadOpenFile(int fd, const std::string& path, std::size_t expected)
{
    // One byte more than the file holds, so that the end shows without a
    // reallocation.
    std::string text = WordList::MakeTextBuffer(expected + 1);
    std::size_t size = 0;
    for (;;) {
        if (size == text.size()) {
            // The file grew, or its size was unknown: read on in steps.
            if (text.size() > WordList::kMaxTextSize) {
                ::close(fd);
                throw CannotOpenFile(path, "File too large");
            }
            text.resize(text.size() + (1 << 16));
        }
        const ssize_t n = ::read(fd, text.data() + size, text.size() - size);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            throw CannotOpenFile(path, std::strerror(error));
        }
        size += static_cast<std::size_t>(n);
    }
    ::close(fd);
    text.resize(size);
    return text;
}

// Writes the word list's text in pieces, crash-safe like
// fileio::WriteWholeFileAtomic: into a temporary file beside `path`, flushed
// to disk, then renamed over `path`. The text is never built whole.
bool WriteWordListAtomic(const std::string& path, const WordList& list)
{
    if (fileio::DirectoryExists(path) || fileio::WriteProtected(path))
        return false;
    QSaveFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const bool written = list.WriteText([&](std::string_view piece) {
        while (!piece.empty()) {
            const qint64 n = file.write(piece.data(), static_cast<qint64>(piece.size()));
            if (n <= 0)
                return false;
            piece.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    });
    // QSaveFile's commit renames even when flushing the last buffered bytes
    // fails, so flush first and give up while the old file is still there.
    if (!written || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace

void WordLists::Load(const std::string& dataDir)
{
    bool exists = false;
    wordListPath_ = ListPath(dataDir, kWordListName, exists);
    if (exists) {
        // Opening fails here and now; a large file is read and indexed while
        // the game's window opens (see WordList).
        const std::string path = wordListPath_;
        // A list that could not be read is never written over.
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            const int error = errno;
            wordListPath_.clear();
            throw CannotOpenFile(path, std::strerror(error));
        }
        struct stat st {};
        std::size_t expected = 0;
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
            expected = static_cast<std::size_t>(st.st_size);
        if (expected > WordList::kMaxTextSize) {
            ::close(fd);
            wordListPath_.clear();
            throw CannotOpenFile(path, "File too large");
        }
        words_.Load([fd, path, expected] { return ReadOpenFile(fd, path, expected); }, expected);
    }
    newWordListPath_ = ListPath(dataDir, kNewWordListName, exists);
    if (exists) {
        try {
            newWords_ = SplitLines(fileio::ReadWholeFile(newWordListPath_));
        } catch (...) {
            newWordListPath_.clear();
            throw;
        }
    }
}

int WordLists::Save() const
{
    int written = 0;
    // Whatever goes wrong with one list (even running out of memory) is
    // ignored and keeps neither the other list nor the close from going on.
    try {
        if (!wordListPath_.empty() && !words_.LoadFailed() && WriteWordListAtomic(wordListPath_, words_))
            ++written;
    } catch (...) {
    }
    try {
        if (!newWordListPath_.empty()) {
            std::string text;
            for (const auto& line : newWords_) {
                text += line;
                text += "\r\n";
            }
            std::string reason;
            if (fileio::WriteWholeFileAtomic(newWordListPath_, text, reason))
                ++written;
        }
    } catch (...) {
    }
    return written;
}

std::string WordLists::KeyOf(std::string_view word)
{
    std::string key;
    key.reserve(word.size() + 2);
    key += '"';
    key += word;
    key += '"';
    return key;
}

void WordLists::AddWord(std::string_view word)
{
    std::string key = KeyOf(word);
    words_.Add(key);
    newWords_.push_back(std::move(key));
}
