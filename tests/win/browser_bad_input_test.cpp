// The browse export at its limits: null, huge and odd texts for device and area, and a device
// that lists 100,000 entries. Nothing may crash; Cancel still gives a new empty string.
#include "resource.h"
#include "support/drivers/dialog_driver.h"
#include "support/store/fake_store.h"
#include "support/drivers/tree_dump.h"
#include "vorlanx.h"

#include <gtest/gtest.h>

namespace {

// Opens the browser through the export, lets steps look at it, cancels; the result.
std::string BrowseAndCancel(const char* device, const char* area,
                            const std::function<void(HWND)>& steps = {})
{
    DialogDriver driver([&](HWND dialog) {
        if (steps)
            steps(dialog);
        ClickButton(dialog, IDCANCEL);
    });
    char* result = vorlanx_browse_category(nullptr, device, area);
    EXPECT_TRUE(driver.Ran());
    if (!result) {
        ADD_FAILURE() << "no result";
        return "(null)";
    }
    const std::string text = result;
    free(result);
    return text;
}

class BrowseBadInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        Fake().Reset();
        Fake().devices = {"1", "C:"};
        Fake().areas["1"] = {"AREA1", "AREA1#CAT"};
        Fake().areas["C:"] = {"X"};
    }
};

TEST_F(BrowseBadInput, NullHugeAndOddTextsForDeviceAndArea)
{
    const std::string tenThousand(10000, 'd'), million(1000000, 'm');
    const char* texts[] = {nullptr,
                           "",
                           tenThousand.c_str(),
                           million.c_str(),
                           "X:\\not\\a\\device",
                           "::::",
                           "1:2:3",
                           "\xFF\xFE\x80\x81",
                           "ab\x83",  // a lead byte of code page 932 as the last byte
                           "#",
                           "AREA1#"};
    for (const char* device : texts)
        for (const char* area : texts)
            EXPECT_EQ(BrowseAndCancel(device, area), "");
}

TEST_F(BrowseBadInput, ADeviceWithAHundredThousandEntriesOpens)
{
    std::vector<std::string>& entries = Fake().areas["1"];
    entries.clear();
    for (int i = 0; i < 50000; ++i) {
        const std::string area = "A" + std::to_string(99999 - i);
        entries.push_back(area);
        entries.push_back(area + "#CAT");
    }
    int areas = 0;
    std::string firstArea;
    EXPECT_EQ(BrowseAndCancel("1", "a50000", [&](HWND dialog) {
                  HWND tree = GetDlgItem(dialog, IDC_AREA_TREE);
                  HTREEITEM device = FindItem(tree, "1:");
                  for (HTREEITEM h = TreeView_GetChild(tree, device); h; h = TreeView_GetNextSibling(tree, h))
                      ++areas;
                  firstArea = ItemText(tree, TreeView_GetChild(tree, device));
              }),
              "");
    EXPECT_EQ(areas, 50000);
    EXPECT_EQ(firstArea, "A50000");
}

}  // namespace
