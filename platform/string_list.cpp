#include "platform/string_list.h"

#include <algorithm>

#include "platform/cp1250.h"
#include "platform/text_helpers.h"

void StringList::SetComparison(Compare compare)
{
    if (compare_ == compare)
        return;
    compare_ = compare;
    if (sorted_) {
        sorted_ = false;
        SetSorted(true);
    }
}

void StringList::SetSorted(bool sorted)
{
    if (sorted && !sorted_) {
        std::stable_sort(lines_.begin(), lines_.end(),
                         [this](const std::string& a, const std::string& b) { return CompareLines(a, b) < 0; });
    }
    sorted_ = sorted;
}

int StringList::CompareLines(std::string_view a, std::string_view b) const
{
    if (compare_ == Compare::CaseInsensitive)
        return cp1250::compareNoCase(a, b);
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int StringList::Add(std::string line)
{
    if (!sorted_) {
        lines_.push_back(std::move(line));
        return Count() - 1;
    }
    int index = 0;
    if (Find(line, index))
        return index;
    lines_.insert(lines_.begin() + index, std::move(line));
    return index;
}

void StringList::Delete(int index)
{
    lines_.erase(lines_.begin() + index);
}

bool StringList::Find(std::string_view line, int& index) const
{
    int low = 0;
    int high = Count() - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int c = CompareLines(lines_[static_cast<std::size_t>(middle)], line);
        if (c < 0) {
            low = middle + 1;
        } else if (c > 0) {
            high = middle - 1;
        } else {
            index = middle;
            return true;
        }
    }
    index = low;
    return false;
}

int StringList::IndexOf(std::string_view line) const
{
    if (sorted_) {
        int index = 0;
        return Find(line, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i)
        if (CompareLines(lines_[static_cast<std::size_t>(i)], line) == 0)
            return i;
    return -1;
}

std::string StringList::Text() const
{
    std::size_t size = 0;
    for (const auto& l : lines_)
        size += l.size() + 2;
    std::string out;
    out.reserve(size);
    for (const auto& l : lines_) {
        out += l;
        out += "\r\n";
    }
    return out;
}

void StringList::SetText(std::string_view text)
{
    lines_.clear();
    for (auto& line : SplitLines(text))
        Add(std::move(line));
}
