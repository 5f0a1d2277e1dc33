// The selection list with 10,000 areas on one device, multiple selection: selecting the device
// (its areas become the list; once into an empty list, once into a list that holds them all),
// Clear, and OK, each against the floor: the bare list box of the same styles and font adding
// the same entries the fastest way (its redraw held back, its storage set aside first), in the
// same dialog and the same run.
#include "browser/browse_area.h"
#include "lean_lookup.h"
#include "support/drivers/dialog_driver.h"
#include "support/drivers/input.h"
#include "support/drivers/tree_dump.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kAreas = 10000;

template <typename Step>
double Time(Step step)
{
    const auto start = Clock::now();
    step();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Figures {
    double bare = 1e30, select = 1e30, reselect = 1e30, clear = 1e30, ok = 1e30;
};

void Measure(Figures& f)
{
    CBrowseArea browser;
    browser.m_strDevice = "C:";
    DialogDriver driver([&](HWND dialog) {
        HWND tree = GetDlgItem(dialog, 25031);
        HWND list = GetDlgItem(dialog, 25033);
        HTREEITEM root = FindItem(tree, ""), device = FindItem(tree, "C:");

        RECT r;
        GetWindowRect(list, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        HWND bare = CreateWindowExA(0, "ListBox", "", WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_SORT |
                                        LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER,
                                    r.left, r.top, r.right - r.left, r.bottom - r.top, dialog,
                                    nullptr, nullptr, nullptr);
        SendMessageA(bare, WM_SETFONT, SendMessageA(list, WM_GETFONT, 0, 0), FALSE);
        f.bare = std::min(f.bare, Time([&] {
            char entry[32];
            SendMessageA(bare, WM_SETREDRAW, FALSE, 0);
            SendMessageA(bare, LB_INITSTORAGE, kAreas, kAreas * sizeof "C:AREA00000");
            for (int i = 0; i < kAreas; ++i) {
                snprintf(entry, sizeof entry, "C:AREA%05d", i);
                SendMessageA(bare, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
            }
            SendMessageA(bare, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(bare, nullptr, TRUE);
        }));
        DestroyWindow(bare);

        f.select = std::min(f.select, Time([&] { ClickTreeItem(tree, device); }));
        ClickTreeItem(tree, root);
        f.reselect = std::min(f.reselect, Time([&] { ClickTreeItem(tree, device); }));
        if (SendMessageA(list, LB_GETCOUNT, 0, 0) != kAreas)
            printf("the list holds %d entries, not %d\n", int(SendMessageA(list, LB_GETCOUNT, 0, 0)), kAreas);
        f.clear = std::min(f.clear, Time([&] { ClickButton(dialog, 25034); }));
        ClickTreeItem(tree, device);
        f.ok = std::min(f.ok, Time([&] { ClickButton(dialog, IDOK); }));
    });
    browser.DoModal();
    if (browser.m_nResultCount != kAreas)
        printf("OK joined %d entries, not %d\n", browser.m_nResultCount, kAreas);
}

}  // namespace

int main()
{
    LeanLookup::Device device{"C:", {}};
    char area[32];
    for (int i = kAreas - 1; i >= 0; --i) {
        snprintf(area, sizeof area, "AREA%05d", i);
        device.listed.push_back(area);
    }
    Lookup().devices = {device};

    Figures f;
    for (int round = 0; round < 9; ++round)
        Measure(f);
    printf("selection list, %d areas on one device, multiple selection; against the bare list box\n"
           "adding the same %d entries with its redraw held back (%.1f ms):\n", kAreas, kAreas, f.bare);
    printf("  select the device, empty list   %8.1f ms  ratio %5.2f\n", f.select, f.select / f.bare);
    printf("  select the device, full list    %8.1f ms  ratio %5.2f\n", f.reselect, f.reselect / f.bare);
    printf("  Clear                           %8.1f ms  ratio %5.2f\n", f.clear, f.clear / f.bare);
    printf("  OK                              %8.1f ms  ratio %5.2f\n", f.ok, f.ok / f.bare);
    return 0;
}
