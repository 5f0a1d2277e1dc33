// Ostrel.dll: stands in for the system's companion library, which vorlanx.dll loads once at
// start-up and keeps. It offers one export so that a host can see it is there.
#include <windows.h>

extern "C" __declspec(dllexport) int __cdecl ostrel_version(void)
{
    return 1;
}
