// vorlanx_browse_category called by three threads of one host at once, each with its own modal
// dialog and message loop, on our real store.
#include "resource.h"
#include "support/fixtures/deployment.h"
#include "support/drivers/dialog_driver.h"
#include "support/drivers/tree_dump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace {

class BrowserThreads : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string one = deployment.MakeDevice("1");
        const std::string drive = deployment.MakeDevice("c");
        deployment.WriteStorageIni({{"C:", drive}, {"1", one}});
        const char* access[] = {"open", "blocked", "restricted", "restricted-expired"};
        for (int i = 0; i < 100; ++i) {
            const std::string area = "AREA" + std::to_string(i);
            const std::string folder = one + "\\userroot\\storage\\" + area;
            MakeArea(one + "\\userroot\\storage", area, access[i % 4], i % 5 == 0 ? "yes" : "no");
            MakeFolders(folder + "\\CAT\\SUB" + std::to_string(i) + "\\DEEP");
            MakeFolders(folder + "\\OTHER");
            MakeArea(drive + "\\userroot\\storage", area, access[(i + 1) % 4]);
        }
        ASSERT_TRUE(exports.Bind(deployment.Load("vorlanx.dll")));
    }

    // Opens the browser, reads its whole tree and cancels it; empty if the dialog never ran.
    std::string ReadTree()
    {
        std::string tree;
        DialogDriver driver([&](HWND dialog) {
            tree = DumpTree(GetDlgItem(dialog, IDC_AREA_TREE));
            ClickButton(dialog, IDCANCEL);
        });
        free(exports.browse(nullptr, "1", "AREA7"));
        return tree;
    }

    Deployment deployment;
    VorlanxExports exports;
};

TEST_F(BrowserThreads, ThreeAtOnceGetTheTreeOneGetsAlone)
{
    const std::string alone = ReadTree();
    // The root, two devices, 100 areas on C: and 100 areas with four categories each on 1:.
    ASSERT_EQ(std::count(alone.begin(), alone.end(), '\n'), 1 + 2 + 100 + 100 * 5);
    for (int round = 0; round < 20; ++round) {
        std::string trees[3];
        std::vector<std::thread> threads;
        for (std::string& tree : trees)
            threads.emplace_back([this, &tree] { tree = ReadTree(); });
        for (std::thread& t : threads)
            t.join();
        for (const std::string& tree : trees)
            ASSERT_EQ(tree, alone) << "round " << round;
    }
}

}  // namespace
