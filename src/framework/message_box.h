// AfxMessageBox: a message over the active window, titled with the library's name.
#pragma once

#include <windows.h>

int AfxMessageBox(const char* text, UINT type = MB_OK);
// The text of string resource id, found along the resource chain.
int AfxMessageBox(UINT idPrompt, UINT type = MB_OK);
