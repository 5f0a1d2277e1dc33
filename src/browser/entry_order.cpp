#include "entry_order.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

// Appends the units that the order compares for the text.
void AppendSortKey(std::u16string& key, const char* text, const CodePage& cp)
{
    for (const char* p = text; *p != '\0';) {
        const char* next = cp.Next(p);
        const auto b = static_cast<unsigned char>(*p);
        // A character of several bytes by its bytes, each above every single byte: in UTF-8
        // that is the order of code points, in a double-byte code page that of lead, then trail.
        if (next > p + 1)
            for (const char* q = p; q < next; ++q)
                key += static_cast<char16_t>(0x100 | static_cast<unsigned char>(*q));
        else
            key += static_cast<char16_t>(b >= 'A' && b <= 'Z' ? b - 'A' + 'a' : b);
        p = next;
    }
}

}  // namespace

int CompareEntries(const std::string& a, const std::string& b, const CodePage& cp)
{
    std::u16string keyA, keyB;
    AppendSortKey(keyA, a.c_str(), cp);
    AppendSortKey(keyB, b.c_str(), cp);
    return keyA.compare(keyB);
}

void EntryList::Clear()
{
    m_text.clear();
    m_starts.assign(1, 0);
    m_order.clear();
}

void EntryList::Add(const char* text, size_t length)
{
    m_order.push_back(m_order.size());
    m_text.insert(m_text.end(), text, text + length);
    m_text.push_back('\0');
    m_starts.push_back(m_text.size());
}

void EntryList::Sort(const CodePage& cp)
{
    // The keys are made once, into one buffer, each unit as two bytes, high byte first: so memcmp
    // compares them as the units compare. The sort then moves positions only.
    m_keys.clear();
    m_keys.reserve(2 * m_text.size());
    m_keyStarts.clear();
    std::u16string units;
    for (size_t i = 0; i < m_order.size(); ++i) {
        m_keyStarts.push_back(m_keys.size());
        units.clear();
        AppendSortKey(units, m_text.data() + m_starts[i], cp);
        for (char16_t u : units) {
            m_keys.push_back(static_cast<char>(u >> 8));
            m_keys.push_back(static_cast<char>(u & 0xFF));
        }
    }
    m_keyStarts.push_back(m_keys.size());
    const char* keys = m_keys.data();
    std::iota(m_order.begin(), m_order.end(), 0);
    // Ties go by listing order, which makes the sort stable without a stable sort's buffer.
    std::sort(m_order.begin(), m_order.end(), [&](size_t x, size_t y) {
        const size_t lx = m_keyStarts[x + 1] - m_keyStarts[x], ly = m_keyStarts[y + 1] - m_keyStarts[y];
        const int c = memcmp(keys + m_keyStarts[x], keys + m_keyStarts[y], std::min(lx, ly));
        return c < 0 || (c == 0 && (lx < ly || (lx == ly && x < y)));
    });
}

void SortEntries(std::vector<std::string>& entries, const CodePage& cp)
{
    EntryList list;
    for (const std::string& e : entries)
        list.Add(e.c_str(), e.size());
    list.Sort(cp);
    std::vector<std::string> sorted;
    sorted.reserve(entries.size());
    for (size_t position = 0; position < list.Size(); ++position)
        sorted.push_back(std::move(entries[list.Listed(position)]));
    entries = std::move(sorted);
}
