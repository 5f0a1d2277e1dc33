// The facts of an ANSI code page that character walks need: which bytes lead a double-byte
// character. Portable on purpose: the text logic built on it is tested natively with the tables
// of code pages 1252 and 932; codepage_win.cpp reads the system's own.
#pragma once

#include <string>

class CodePage {
public:
    // A single-byte code page such as 1252: no lead bytes.
    CodePage() = default;
    // leadRanges holds inclusive pairs of bytes and ends with a 0 byte, as CPINFO.LeadByte does.
    CodePage(const unsigned char* leadRanges, bool multibyte);

    static const CodePage& Cp932();  // for tests and fuzzing: Shift-JIS lead bytes

    bool IsLead(unsigned char b) const { return m_lead[b]; }
    bool IsMultibyte() const { return m_multibyte; }

    // Steps like CharNextA: over a lead byte and its trail byte, never past the terminator.
    const char* Next(const char* p) const
    {
        if (*p == '\0')
            return p;
        if (IsLead(static_cast<unsigned char>(*p)) && p[1] != '\0')
            return p + 2;
        return p + 1;
    }

    // Folds ASCII letters only; the trail byte of a double-byte character is left alone.
    void MakeLower(std::string& text) const;
    void MakeUpper(std::string& text) const;

private:
    bool m_lead[256] = {};
    bool m_multibyte = false;
};

// The system's ANSI code page, read once (defined in codepage_win.cpp).
const CodePage& AnsiCodePage();
