// The browse result as a host built for msvcr100.dll sees it: a block of that runtime's heap,
// released with its free, round after round, with every heap of the process left consistent.
#include "support/fixtures/deployment.h"
#include "support/drivers/dialog_driver.h"
#include "support/drivers/input.h"
#include "support/drivers/tree_dump.h"
#include "vorlanx.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

TEST(ResultHeap, EveryResultIsABlockOfMsvcr100AndItsFreeTakesIt)
{
    Deployment deployment;
    const std::string one = deployment.MakeDevice("1");
    deployment.WriteStorageIni({{"1", one}});
    MakeArea(one + "\\userroot\\storage", "AREA1", "open");
    const auto browse =
        Proc<vorlanx_browse_category_fn>(deployment.Load("vorlanx.dll"), "vorlanx_browse_category");
    ASSERT_NE(browse, nullptr);

    // Taken from the runtime by name, as any host on another runtime would have to.
    HMODULE crt = GetModuleHandleA("msvcr100.dll");
    ASSERT_NE(crt, nullptr) << "vorlanx.dll runs on msvcr100.dll";
    const auto crtFree = Proc<void(__cdecl*)(void*)>(crt, "free");
    const auto heap = reinterpret_cast<HANDLE>(Proc<intptr_t(__cdecl*)()>(crt, "_get_heap_handle")());
    ASSERT_TRUE(crtFree && heap);

    for (int round = 0; round < 100; ++round) {
        const bool choose = round % 2 == 1;
        DialogDriver driver([choose](HWND dialog) {
            HWND tree = GetDlgItem(dialog, 25031);
            if (choose)
                ClickTreeItem(tree, FindItem(tree, "AREA1"));
            ClickButton(dialog, choose ? IDOK : IDCANCEL);
        });
        char* result = browse(nullptr, "1", "");
        ASSERT_TRUE(driver.Ran()) << "round " << round;
        ASSERT_NE(result, nullptr) << "round " << round;
        EXPECT_STREQ(result, choose ? "1:AREA1" : "") << "round " << round;
        const SIZE_T size = HeapSize(heap, 0, result);
        ASSERT_NE(size, static_cast<SIZE_T>(-1)) << "round " << round << ": not msvcr100's block";
        EXPECT_GE(size, strlen(result) + 1);
        crtFree(result);
    }
    EXPECT_TRUE(HeapValidate(heap, 0, nullptr));
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
}
