// CStringList: an ordered list of strings. The device lookup fills one that belongs to the
// browser, so both libraries build it from this header with the same compiler; its nodes come
// from the heap of msvcr100.dll, the one C runtime of every binary of ours (cmake/msvcr100.specs).
#pragma once

#include "framework/cstring.h"

#include <list>

class CStringList {
public:
    void AddTail(const char* psz) { m_items.emplace_back(psz); }
    int GetCount() const { return static_cast<int>(m_items.size()); }

    std::list<CString>::const_iterator begin() const { return m_items.begin(); }
    std::list<CString>::const_iterator end() const { return m_items.end(); }

private:
    std::list<CString> m_items;
};
