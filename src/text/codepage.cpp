#include "text/codepage.h"

CodePage::CodePage(const unsigned char* leadRanges, bool multibyte) : m_multibyte(multibyte)
{
    for (const unsigned char* r = leadRanges; r[0] != 0 && r[1] != 0; r += 2)
        for (unsigned b = r[0]; b <= r[1]; ++b)
            m_lead[b] = true;
}

const CodePage& CodePage::Cp932()
{
    static const unsigned char ranges[] = {0x81, 0x9F, 0xE0, 0xFC, 0};
    static const CodePage cp(ranges, true);
    return cp;
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
