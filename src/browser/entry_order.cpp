#include "entry_order.h"

#include <algorithm>
#include <numeric>

namespace {

// The text as the units that the order compares.
std::u16string SortKey(const std::string& text, const CodePage& cp)
{
    std::u16string key;
    key.reserve(text.size());
    for (const char* p = text.c_str(); *p != '\0';) {
        const char* next = cp.Next(p);
        const auto b = static_cast<unsigned char>(*p);
        if (next == p + 2)
            key += static_cast<char16_t>(b << 8 | static_cast<unsigned char>(p[1]));
        else
            key += static_cast<char16_t>(b >= 'A' && b <= 'Z' ? b - 'A' + 'a' : b);
        p = next;
    }
    return key;
}

}  // namespace

int CompareEntries(const std::string& a, const std::string& b, const CodePage& cp)
{
    return SortKey(a, cp).compare(SortKey(b, cp));
}

void SortEntries(std::vector<std::string>& entries, const CodePage& cp)
{
    // Each key is made once; the sort then moves indices, and the entries are moved last.
    std::vector<std::u16string> keys;
    keys.reserve(entries.size());
    for (const std::string& e : entries)
        keys.push_back(SortKey(e, cp));
    std::vector<size_t> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t x, size_t y) { return keys[x] < keys[y]; });
    std::vector<std::string> sorted;
    sorted.reserve(entries.size());
    for (size_t i : order)
        sorted.push_back(std::move(entries[i]));
    entries = std::move(sorted);
}
