#include "process_use.h"

#include <windows.h>

#include <cstdint>

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId()) {
        ++*reinterpret_cast<int*>(count);
        EnumChildWindows(window, CountChild, count);
    }
    return TRUE;
}

// An entry of the GDI handle table that Wine keeps in each process; Type is 0 for a free one.
#pragma pack(push, 1)
struct WineGdiEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t userPointer;
};
#pragma pack(pop)
static_assert(sizeof(WineGdiEntry) == 24, "Wine's GDI_HANDLE_ENTRY");
const int kWineGdiEntries = 0x10000;

bool UnderWine()
{
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

template <typename T>
T At(uintptr_t address)
{
    return *reinterpret_cast<const T*>(address);
}

// The PEB names the table. A 32-bit process on a 64-bit Wine has a 64-bit TEB as well, whose
// address the 32-bit TEB keeps in GdiBatchCount, and there only the 64-bit PEB names it. A
// 64-bit process reads its own PEB.
const WineGdiEntry* WineGdiTable()
{
    const uintptr_t teb = reinterpret_cast<uintptr_t>(NtCurrentTeb());
#ifdef _WIN64
    return At<const WineGdiEntry*>(At<uintptr_t>(teb + 0x60) + 0xF8);
#else
    const uint32_t teb64 = At<uint32_t>(teb + 0xF70);
    if (teb64) {
        const uint32_t peb64 = At<uint32_t>(teb64 + 0x60);
        return reinterpret_cast<const WineGdiEntry*>(At<uint32_t>(peb64 + 0xF8));
    }
    const uintptr_t peb = At<uintptr_t>(teb + 0x30);
    return At<const WineGdiEntry*>(peb + 0x94);
#endif
}

}  // namespace

int WindowCount()
{
    int count = 0;
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Windows counts them for GetGuiResources; Wine answers 0 there, so under Wine they are the busy
// entries of its handle table.
int GdiObjectCount()
{
    if (!UnderWine())
        return static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    const WineGdiEntry* table = WineGdiTable();
    if (!table)
        return -1;
    int count = 0;
    for (int i = 0; i < kWineGdiEntries; ++i)
        count += table[i].type != 0;
    return count;
}

size_t HeapBytesInUse()
{
    HANDLE heaps[64];
    const DWORD n = GetProcessHeaps(64, heaps);
    size_t bytes = 0;
    for (DWORD i = 0; i < n && i < 64; ++i) {
        if (!HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                bytes += entry.cbData;
        HeapUnlock(heaps[i]);
    }
    return bytes;
}
