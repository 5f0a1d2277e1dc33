// The compiler's C++ runtime, linked into each of our libraries, sets aside a reserve for
// exceptions thrown when memory has run out (about 19 KB of msvcr100.dll's heap in each) and
// never gives it back: a library that a host loads and frees again and again must free it when
// it is freed. Only then: at process exit another thread may still be throwing.
#pragma once

#include <windows.h>

namespace __gnu_cxx {
void __freeres();  // libstdc++'s own, for leak checkers: frees the reserve
}

inline void FreeRuntimeReserve(LPVOID reserved)
{
    if (!reserved)  // FreeLibrary, not the end of the process
        __gnu_cxx::__freeres();
}
