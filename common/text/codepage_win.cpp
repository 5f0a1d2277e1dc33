#include "text/codepage.h"

#include <windows.h>

namespace {

// Read once, without the C++ runtime's guard of a function-local static (see codepage.h).
INIT_ONCE g_once = INIT_ONCE_STATIC_INIT;
constinit CodePage g_ansi;

BOOL CALLBACK ReadAnsiCodePage(INIT_ONCE*, void*, void**)
{
    // GetCPInfo gives UTF-8 no lead bytes: its sequences are facts of their own.
    CPINFO info = {};
    if (GetACP() == CP_UTF8)
        g_ansi = CodePage::Utf8();
    else if (GetCPInfo(CP_ACP, &info))
        g_ansi = CodePage(info.LeadByte, info.MaxCharSize != 1);
    return TRUE;
}

}  // namespace

const CodePage& AnsiCodePage()
{
    InitOnceExecuteOnce(&g_once, ReadAnsiCodePage, nullptr, nullptr);
    return g_ansi;
}
