// A thousand dialogs in one host: the browser through the export (OK and Cancel in turn, a
// choice made each time) and the sub-folder dialog. The windows and GDI objects the process
// holds must not grow once warmed up, nor the heap bytes in use from run to run of rounds.
#include "browser/browse_area.h"
#include "resource.h"
#include "subfolder/category_dlg.h"
#include "support/drivers/dialog_driver.h"
#include "support/store/fake_store.h"
#include "support/drivers/input.h"
#include "support/fixtures/process_use.h"
#include "support/drivers/tree_dump.h"
#include "vorlanx.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

struct Figures {
    int windows;
    int gdiObjects;
    size_t heap;
};

Figures Measure()
{
    PumpMessages(20);
    return {WindowCount(), GdiObjectCount(), HeapBytesInUse()};
}

void Browse(int i)
{
    DialogDriver driver([i](HWND dialog) {
        HWND tree = GetDlgItem(dialog, IDC_AREA_TREE);
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
        SetDlgItemTextA(d, IDC_SUBFOLDER_NAME, i % 2 ? "A B" : "NEW");  // every other one tells the rule
        ClickButton(d, IDOK);
        ClickButton(d, IDCANCEL);
    });
    dialog.DoModal();
}

template <typename Round>
void Soak(const char* what, Round round)
{
    const int warmUp = 100, runs = 8, length = 112;
    for (int i = 0; i < warmUp; ++i)
        round(i);
    const Figures before = Measure();
    const double kept =
        HeapGrowthPerCall(runs, length, round, warmUp, [] { return Measure().heap; });
    const Figures after = Measure();
    printf("%s: after %d rounds %d windows, %d GDI objects; after %d rounds %d windows, %d GDI "
           "objects, %.1f heap bytes kept a round\n", what, warmUp, before.windows,
           before.gdiObjects, warmUp + runs * length, after.windows, after.gdiObjects, kept);
    EXPECT_LE(after.windows, before.windows);
    ASSERT_GE(before.gdiObjects, 0) << "GDI objects cannot be counted here";
    EXPECT_LE(after.gdiObjects, before.gdiObjects);
    EXPECT_LT(kept, 32);
}

// The soak's GDI figure means something only if the count follows objects made and deleted.
TEST(Soak, TheGdiCountFollowsObjectsMadeAndDeleted)
{
    const int before = GdiObjectCount();
    ASSERT_GE(before, 0);
    HBRUSH brushes[50];
    for (HBRUSH& brush : brushes)
        brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(GdiObjectCount(), before + 50);
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    EXPECT_EQ(GdiObjectCount(), before);
}

// The heap figure sees a round that keeps 32 bytes.
TEST(Soak, TheHeapMeasureSeesALeak)
{
    std::vector<void*> kept(8 * 112);
    EXPECT_GE(HeapGrowthPerCall(8, 112, [&](int i) { kept[i] = malloc(32); }), 24);
    for (void* block : kept)
        free(block);
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
