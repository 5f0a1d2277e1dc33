// A library that does nothing, built as ours are (on msvcr100.dll, the compiler's runtime linked
// in): what loading and freeing it leaves behind is the runtime's and Wine's, the floor of ours.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
