// CWinApp: the application object of a library. The library's entry point constructs it,
// runs InitInstance at load and ExitInstance at unload.
#pragma once

#include <windows.h>

class CWinApp {
public:
    CWinApp() = default;
    virtual ~CWinApp() = default;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }
};
