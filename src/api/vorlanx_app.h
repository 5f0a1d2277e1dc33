// CVorlanxApp, the library's application object, and the start-up step that is the library's
// own: the localized resource library beside it, and the companion library Ostrel.dll.
#pragma once

#include "framework/win_app.h"

#include <windows.h>

class CVorlanxApp : public CWinApp {
public:
    BOOL InitInstance() override;
};

// Ostrel.dll, once loaded; never released.
extern HMODULE g_hOstrelDll;

// Loads pszFileName from hModule's folder when its product version equals hModule's, reporting
// an incompatible or unloadable file in a message box; then loads Ostrel.dll from the same
// folder once per process. The resource library's handle, or null.
HINSTANCE LoadResourceDll(HINSTANCE hModule, const char* pszFileName);
BOOL IsSameProductVersion(const char* pszPath1, const char* pszPath2);
BOOL GetFileProductVersion(const char* pszPath, DWORD* pdwVersionLS, DWORD* pdwVersionMS);
