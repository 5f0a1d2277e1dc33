#include "name_rule.h"

namespace {

bool IsAsciiAlnum(unsigned char b)
{
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9');
}

}  // namespace

int IsValidSubFolderName(const char* text, int length, const CodePage& cp)
{
    if (!text || length <= 0)
        return 1;
    const char* end = text + length;
    for (const char* p = text; p < end && *p != '\0';) {
        const auto b = static_cast<unsigned char>(*p);
        const bool lead = cp.IsLead(b);
        if (!(lead || (b >= 0x80 && cp.IsMultibyte()) || IsAsciiAlnum(b) || b == '-' || b == '_'))
            return 0;
        // Over a whole character, as CharNextA steps, but never reading past the end.
        p += cp.CharSize(p, static_cast<size_t>(end - p));
    }
    return 1;
}
