// The facts of an ANSI code page that character walks need: which bytes start a character of
// more than one byte, and how long it is. Portable on purpose: the text logic built on it is
// tested natively with the tables of code pages 1252, 932 and UTF-8 (65001); codepage_win.cpp
// reads the system's own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CodePage {
public:
    // The tables are made at compile time where they can be: a function-local static that needs
    // code to start takes the C++ runtime's lock, which starts its thread support, and that keeps
    // a TLS slot and heap blocks on every load of the library.

    // A single-byte code page such as 1252: no lead bytes.
    constexpr CodePage()
    {
        for (unsigned char& n : m_length)
            n = 1;
    }
    // leadRanges holds inclusive pairs of bytes and ends with a 0 byte, as CPINFO.LeadByte does.
    constexpr CodePage(const unsigned char* leadRanges, bool multibyte) : m_multibyte(multibyte)
    {
        for (unsigned char& n : m_length)
            n = 1;
        for (const unsigned char* r = leadRanges; r[0] != 0 && r[1] != 0; r += 2)
            for (unsigned b = r[0]; b <= r[1]; ++b)
                m_length[b] = 2;
    }

    static const CodePage& Cp932();  // for tests and fuzzing: Shift-JIS lead bytes
    static const CodePage& Utf8();   // code page 65001

    // True for a byte that starts a character of more than one byte.
    bool IsLead(unsigned char b) const { return m_length[b] > 1; }
    bool IsMultibyte() const { return m_multibyte; }

    // The bytes of the character at p, reading at most limit bytes and never past a zero byte:
    // all of its bytes when they are all there (in UTF-8, continuation bytes that may follow
    // that lead byte), else 1, so a broken sequence is stepped over a byte at a time and a
    // whole one is never split. 0 at the terminator or for a limit of 0.
    size_t CharSize(const char* p, size_t limit = SIZE_MAX) const;

    // False for a character that is no whole one: a lead byte without all of its bytes, and in
    // UTF-8 a byte that starts no character (a continuation byte, 0xC0, 0xC1, 0xF5 and above).
    bool IsWhole(const char* p, size_t limit = SIZE_MAX) const;

    // Steps like CharNextA: over a whole character, never past the terminator.
    const char* Next(const char* p) const { return p + CharSize(p); }

    // Folds ASCII letters only; the bytes of a longer character are left alone.
    void MakeLower(std::string& text) const;
    void MakeUpper(std::string& text) const;

private:
    // A character's length by its first byte; 0 for a byte that starts none (UTF-8 only).
    unsigned char m_length[256] = {};
    bool m_multibyte = false;
    bool m_utf8 = false;

    static constexpr CodePage MakeUtf8()
    {
        CodePage utf8;
        utf8.m_multibyte = utf8.m_utf8 = true;
        for (unsigned b = 0x80; b <= 0xFF; ++b)
            utf8.m_length[b] = b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3
                             : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
        return utf8;
    }
};

// The system's ANSI code page, read once (defined in codepage_win.cpp).
const CodePage& AnsiCodePage();
