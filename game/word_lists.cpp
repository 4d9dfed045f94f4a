#include "game/word_lists.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/app_error.h"
#include "platform/file_io.h"
#include "platform/text_helpers.h"

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

// Every line followed by CR LF.
std::string NewWordListText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace

void WordLists::Load(const std::string& dataDir, std::shared_ptr<WordListCopy> copy)
{
    wordListRead_ = false;
    newWordsInSavedForm_ = false;
    newWordsRead_ = 0;
    bool exists = false;
    wordListPath_ = ListPath(dataDir, kWordListName, exists);
    std::string path = wordListPath_;
    if (!exists && copy) {
        // The list being copied holds the shipped file's words.
        path = copy->Source();
        wordListPath_ = fileio::JoinPath(dataDir, kWordListName);
        exists = true;
    }
    listCopy_ = std::move(copy);
    if (exists) {
        // Opening fails here and now; a large file is read and indexed while
        // the game's window opens (see WordList).
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
        // One byte more than the file holds, so that the end shows without
        // growing the buffer.
        try {
            words_.Load(
                [fd, path, expected] {
                    std::string buffer;
                    try {
                        buffer = WordList::MakeTextBuffer(expected + 1);
                    } catch (...) {
                        ::close(fd);
                        throw;
                    }
                    return fileio::ReadOpenFile(fd, path, std::move(buffer), WordList::kMaxTextSize);
                },
                expected);
        } catch (...) {
            wordListPath_.clear();
            throw;
        }
        wordListRead_ = true;
    }
    newWordListPath_ = ListPath(dataDir, kNewWordListName, exists);
    if (exists) {
        try {
            const std::string text = fileio::ReadWholeFile(newWordListPath_);
            newWords_ = SplitLines(text);
            newWordsInSavedForm_ = text == NewWordListText(newWords_);
            newWordsRead_ = newWords_.size();
        } catch (...) {
            newWordListPath_.clear();
            throw;
        }
    }
}

int WordLists::Save() const
{
    return Write(true, true);
}

int WordLists::SaveChanged() const
{
    // The list being copied is the file that was read only once it stands
    // whole in the data folder.
    const bool copied = !listCopy_ || listCopy_->Wait();
    bool wordsKept = false;
    try {
        // Whether it loaded in saved form is known from the load's own check
        // of the order; a list still loading is waited for.
        wordsKept = wordListRead_ && copied && words_.LoadedInSavedForm() && words_.AddedCount() == 0;
    } catch (...) {
    }
    const bool newWordsKept = newWordsInSavedForm_ && newWords_.size() == newWordsRead_;
    return Write(!wordsKept, !newWordsKept);
}

int WordLists::Write(bool words, bool newWords) const
{
    int written = 0;
    // The list being copied must not be renamed over what is saved here.
    if (listCopy_)
        listCopy_->Wait();
    // Whatever goes wrong with one list (even running out of memory) is
    // ignored and keeps neither the other list nor the close from going on.
    try {
        std::string reason;
        if (words && !wordListPath_.empty() && !words_.LoadFailed() &&
            fileio::WriteFileAtomic(
                wordListPath_, [this](const fileio::PieceSink& sink) { return words_.WriteText(sink); }, reason))
            ++written;
    } catch (...) {
    }
    try {
        if (newWords && !newWordListPath_.empty()) {
            std::string reason;
            if (fileio::WriteWholeFileAtomic(newWordListPath_, NewWordListText(newWords_), reason))
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
