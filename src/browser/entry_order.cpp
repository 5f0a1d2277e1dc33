#include "entry_order.h"

#include <algorithm>
#include <numeric>
#include <string_view>

namespace {

// Appends the units that the order compares for the text.
void AppendSortKey(std::u16string& key, const std::string& text, const CodePage& cp)
{
    for (const char* p = text.c_str(); *p != '\0';) {
        const char* next = cp.Next(p);
        const auto b = static_cast<unsigned char>(*p);
        if (next == p + 2)
            key += static_cast<char16_t>(b << 8 | static_cast<unsigned char>(p[1]));
        else
            key += static_cast<char16_t>(b >= 'A' && b <= 'Z' ? b - 'A' + 'a' : b);
        p = next;
    }
}

}  // namespace

int CompareEntries(const std::string& a, const std::string& b, const CodePage& cp)
{
    std::u16string keyA, keyB;
    AppendSortKey(keyA, a, cp);
    AppendSortKey(keyB, b, cp);
    return keyA.compare(keyB);
}

void SortEntries(std::vector<std::string>& entries, const CodePage& cp)
{
    // The keys are made once, into one buffer (a device may list many thousands of entries);
    // the sort then moves indices, and the entries are moved last.
    size_t units = 0;
    for (const std::string& e : entries)
        units += e.size();
    std::u16string keys;
    keys.reserve(units);
    std::vector<size_t> starts;
    starts.reserve(entries.size() + 1);
    for (const std::string& e : entries) {
        starts.push_back(keys.size());
        AppendSortKey(keys, e, cp);
    }
    starts.push_back(keys.size());
    const std::u16string_view all = keys;
    const auto key = [&](size_t i) { return all.substr(starts[i], starts[i + 1] - starts[i]); };

    std::vector<size_t> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](size_t x, size_t y) { return key(x) < key(y); });
    std::vector<std::string> sorted;
    sorted.reserve(entries.size());
    for (size_t i : order)
        sorted.push_back(std::move(entries[i]));
    entries = std::move(sorted);
}
