// The order of a device's entries in the tree. Portable: no windows.h.
//
// Case is ignored: ASCII letters are folded to lower case and the characters compared as unsigned
// numbers, a character of several bytes after every single byte and by its bytes (lead byte,
// then trail byte; in UTF-8 the order of code points), a shorter text
// before any longer text that begins with it. So '_' sorts after the digits and before the
// letters, and '#' before both: an area's category entries follow the area, each below its parent.
// Entries that compare equal keep the order in which they were listed.
#pragma once

#include "text/codepage.h"

#include <string>
#include <vector>

// Negative, 0 or positive as a sorts before, with or after b.
int CompareEntries(const std::string& a, const std::string& b, const CodePage& cp);

// A device's entries in one buffer: a device may list many thousands, and none of them costs an
// allocation of its own. Sorting orders positions; the texts stay where they were added.
class EntryList {
public:
    void Clear();
    void Add(const char* text, size_t length);
    // Into the order above; stable, O(n log n).
    void Sort(const CodePage& cp);

    size_t Size() const { return m_order.size(); }
    // The entry at a position, zero-terminated; its bytes may be changed in place.
    char* Text(size_t position) { return m_text.data() + m_starts[m_order[position]]; }
    size_t Length(size_t position) const
    {
        const size_t i = m_order[position];
        return m_starts[i + 1] - m_starts[i] - 1;
    }
    // The bytes of all entries, their terminators included.
    size_t Bytes() const { return m_text.size(); }
    // Which entry, counted in listing order, stands at a position.
    size_t Listed(size_t position) const { return m_order[position]; }

private:
    std::vector<char> m_text;
    std::vector<size_t> m_starts = {0};  // each entry's first byte, then the end
    std::vector<size_t> m_order;
    std::string m_keys;  // the sort keys, made once per sort
    std::vector<size_t> m_keyStarts;
};

// Sorts in place into that order; stable, O(n log n).
void SortEntries(std::vector<std::string>& entries, const CodePage& cp);
