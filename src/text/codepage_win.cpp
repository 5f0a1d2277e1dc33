#include "text/codepage.h"

#include <windows.h>

const CodePage& AnsiCodePage()
{
    static const CodePage cp = [] {
        // GetCPInfo gives UTF-8 no lead bytes: its sequences are facts of their own.
        if (GetACP() == CP_UTF8)
            return CodePage::Utf8();
        CPINFO info = {};
        if (!GetCPInfo(CP_ACP, &info))
            return CodePage();
        return CodePage(info.LeadByte, info.MaxCharSize != 1);
    }();
    return cp;
}
