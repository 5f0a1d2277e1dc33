// A thousand dialogs in one host: the browser through the export (OK and Cancel in turn, a
// choice made each time) and the sub-folder dialog. The windows the process holds and the heap
// bytes in use must not grow once warmed up. Wine answers GetGuiResources with 0, so windows
// are counted by enumerating them.
#include "browser/browse_area.h"
#include "subfolder/category_dlg.h"
#include "support/dialog_driver.h"
#include "support/fake_store.h"
#include "support/input.h"
#include "support/tree_dump.h"
#include "vorlanx.h"

#include <gtest/gtest.h>

#include <cstdio>

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

int WindowCount()
{
    int count = 0;
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
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

struct Figures {
    int windows;
    size_t heap;
};

Figures Measure()
{
    PumpMessages(20);
    return {WindowCount(), HeapBytesInUse()};
}

void Browse(int i)
{
    DialogDriver driver([i](HWND dialog) {
        HWND tree = GetDlgItem(dialog, 25031);
        ClickTreeItem(tree, FindItem(tree, i % 3 ? "AREA1" : "CAT"));
        ClickButton(dialog, i % 2 ? IDCANCEL : IDOK);
    });
    char* result = vorlanx_browse_category(nullptr, "1", "");
    if (!result || strcmp(result, i % 2 ? "" : i % 3 ? "1:AREA1" : "1:AREA1/CAT") != 0)
        ADD_FAILURE() << "round " << i << ": " << (result ? result : "(null)");
    free(result);
}

void SubFolderDialog(int i)
{
    CCategoryDlg dialog(nullptr);
    dialog.m_strName = "CAT";
    DialogDriver driver([i](HWND d) {
        SetDlgItemTextA(d, 25042, i % 2 ? "A B" : "NEW");  // every other one tells the rule
        ClickButton(d, IDOK);
        ClickButton(d, IDCANCEL);
    });
    dialog.DoModal();
}

template <typename Round>
void Soak(const char* what, Round round)
{
    const int warmUp = 100, rounds = 1000;
    for (int i = 0; i < warmUp; ++i)
        round(i);
    const Figures before = Measure();
    for (int i = warmUp; i < rounds; ++i)
        round(i);
    const Figures after = Measure();
    printf("%s: after %d rounds %d windows, %zu heap bytes; after %d rounds %d windows, %zu heap "
           "bytes\n",
           what, warmUp, before.windows, before.heap, rounds, after.windows, after.heap);
    EXPECT_LE(after.windows, before.windows);
    // 900 rounds that each kept 32 bytes would keep 28,800.
    EXPECT_LT(static_cast<long long>(after.heap) - static_cast<long long>(before.heap), 28800);
}

TEST(Soak, AThousandBrowsersThroughTheExport)
{
    Fake().Reset();
    Fake().devices = {"1", "C:"};
    Fake().areas["1"] = {"AREA1", "AREA1#CAT", "AREA2"};
    Fake().areas["C:"] = {"X"};
    Soak("browse export", [](int i) {
        Fake().calls.clear();  // the fake's own record of calls is no leak of ours
        Browse(i);
    });
}

TEST(Soak, AThousandSubFolderDialogs)
{
    Soak("sub-folder dialog", SubFolderDialog);
}

}  // namespace
