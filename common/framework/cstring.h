// CString: an owned, zero-terminated byte string in the system ANSI code page.
#pragma once

// windows.h renames LoadString to LoadStringA; every user of CString sees the same name.
#include <windows.h>

#include <string>

class CString {
public:
    CString() = default;
    CString(const char* psz) : m_str(psz ? psz : "") {}  // null counts as empty
    CString(const char* p, int length) : m_str(p, length > 0 ? length : 0) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    const char* GetString() const { return m_str.c_str(); }
    operator const char*() const { return m_str.c_str(); }
    char operator[](int i) const { return m_str[i]; }

    CString& operator=(const char* psz) { m_str = psz ? psz : ""; return *this; }
    CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
    CString& operator+=(const char* psz) { if (psz) m_str += psz; return *this; }
    CString& operator+=(char c) { m_str += c; return *this; }
    friend CString operator+(CString a, const CString& b) { return a += b; }

    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const char* b) { return a.m_str == (b ? b : ""); }

    // Byte index of the first character ch at or after start, or -1; the bytes of a double-byte
    // character never match.
    int Find(char ch, int start = 0) const;
    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;

    // Fold ASCII letters only, stepping over double-byte characters of the ANSI code page.
    CString& MakeUpper();
    CString& MakeLower();

    // Loads string resource id along the module's resource chain; an unknown id gives empty.
    bool LoadString(unsigned id);

private:
    std::string m_str;
};
