// talmor.dll's entry point: a thread that ends leaves no cached pass behind, and a library that
// is freed nothing of its runtime.
#include "category_store.h"
#include "base/runtime_reserve.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_THREAD_DETACH)
        CloseCachePass();
    else if (reason == DLL_PROCESS_DETACH)
        FreeRuntimeReserve(reserved);
    return TRUE;
}
