#include "text/codepage.h"

#include <windows.h>

const CodePage& AnsiCodePage()
{
    static const CodePage cp = [] {
        CPINFO info = {};
        if (!GetCPInfo(CP_ACP, &info))
            return CodePage();
        return CodePage(info.LeadByte, info.MaxCharSize != 1);
    }();
    return cp;
}
