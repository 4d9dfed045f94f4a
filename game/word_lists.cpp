#include "game/word_lists.h"

#include <cctype>

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

}  // namespace

void WordLists::Load(const std::string& dataDir)
{
    bool exists = false;
    wordListPath_ = ListPath(dataDir, kWordListName, exists);
    if (exists) {
        std::string text = fileio::ReadWholeFile(wordListPath_);
        if (text.size() > WordList::kMaxTextSize)
            throw CannotOpenFile(wordListPath_, "File too large");
        words_.Load(std::move(text));
    }
    newWordListPath_ = ListPath(dataDir, kNewWordListName, exists);
    if (exists)
        newWords_ = SplitLines(fileio::ReadWholeFile(newWordListPath_));
}

int WordLists::Save() const
{
    int written = 0;
    std::string reason;
    if (!wordListPath_.empty() && fileio::WriteWholeFileAtomic(wordListPath_, words_.Text(), reason))
        ++written;
    if (!newWordListPath_.empty()) {
        std::string text;
        for (const auto& line : newWords_) {
            text += line;
            text += "\r\n";
        }
        if (fileio::WriteWholeFileAtomic(newWordListPath_, text, reason))
            ++written;
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
