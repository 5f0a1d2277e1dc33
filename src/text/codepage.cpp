#include "text/codepage.h"

void CodePage::FillSingle()
{
    for (unsigned char& n : m_length)
        n = 1;
}

CodePage::CodePage(const unsigned char* leadRanges, bool multibyte) : m_multibyte(multibyte)
{
    FillSingle();
    for (const unsigned char* r = leadRanges; r[0] != 0 && r[1] != 0; r += 2)
        for (unsigned b = r[0]; b <= r[1]; ++b)
            m_length[b] = 2;
}

const CodePage& CodePage::Cp932()
{
    static const unsigned char ranges[] = {0x81, 0x9F, 0xE0, 0xFC, 0};
    static const CodePage cp(ranges, true);
    return cp;
}

const CodePage& CodePage::Utf8()
{
    static const CodePage cp = [] {
        CodePage utf8;
        utf8.m_multibyte = utf8.m_utf8 = true;
        for (unsigned b = 0x80; b <= 0xFF; ++b)
            utf8.m_length[b] = b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3
                             : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
        return utf8;
    }();
    return cp;
}

namespace {

// The continuation bytes that may follow a UTF-8 lead byte in second place: none that would make
// an overlong form, a surrogate or a code point above U+10FFFF.
bool FitsSecond(unsigned char lead, unsigned char b)
{
    switch (lead) {
    case 0xE0: return b >= 0xA0 && b <= 0xBF;
    case 0xED: return b >= 0x80 && b <= 0x9F;
    case 0xF0: return b >= 0x90 && b <= 0xBF;
    case 0xF4: return b >= 0x80 && b <= 0x8F;
    default: return b >= 0x80 && b <= 0xBF;
    }
}

}  // namespace

size_t CodePage::CharSize(const char* p, size_t limit) const
{
    if (limit == 0 || *p == '\0')
        return 0;
    const auto lead = static_cast<unsigned char>(*p);
    const size_t length = m_length[lead];
    if (length <= 1 || limit < length)
        return 1;
    for (size_t i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(p[i]);
        // A double-byte trail byte is anything but the terminator; a zero byte also stops the
        // UTF-8 check, as it is no continuation byte.
        if (b == 0 || (m_utf8 && (i == 1 ? !FitsSecond(lead, b) : b < 0x80 || b > 0xBF)))
            return 1;
    }
    return length;
}

bool CodePage::IsWhole(const char* p, size_t limit) const
{
    const size_t length = m_length[static_cast<unsigned char>(*p)];
    return length != 0 && CharSize(p, limit) == length;
}

namespace {

template <typename Fold>
void FoldAscii(const CodePage& cp, std::string& text, Fold fold)
{
    char* p = text.data();
    while (*p != '\0') {
        char* next = const_cast<char*>(cp.Next(p));
        if (next == p + 1)
            *p = fold(*p);
        p = next;
    }
}

}  // namespace

void CodePage::MakeLower(std::string& text) const
{
    FoldAscii(*this, text, [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
}

void CodePage::MakeUpper(std::string& text) const
{
    FoldAscii(*this, text, [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
}
