// The name rule in the system's ANSI code page.
#include "subfolder/name_rule.h"

int IsValidSubFolderName(const char* text, int length)
{
    return IsValidSubFolderName(text, length, AnsiCodePage());
}
