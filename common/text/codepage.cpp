#include "text/codepage.h"

namespace {

constexpr unsigned char kCp932Leads[] = {0x81, 0x9F, 0xE0, 0xFC, 0};

}  // namespace

const CodePage& CodePage::Cp932()
{
    static constexpr CodePage cp(kCp932Leads, true);
    return cp;
}

const CodePage& CodePage::Utf8()
{
    static constexpr CodePage cp = MakeUtf8();
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
