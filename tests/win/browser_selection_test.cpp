// The selection list and the result, on the real dialog: selections made with real mouse clicks
// on the tree's items, with keys, and by message, under both selection rules.
#include "browser/browse_area.h"
#include "resource.h"
#include "support/fixtures/deployment.h"
#include "support/drivers/dialog_driver.h"
#include "support/store/fake_store.h"
#include "support/drivers/input.h"
#include "support/drivers/tree_dump.h"
#include "vorlanx.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Entries = std::vector<std::string>;

// The dialog while a test drives it.
struct Browser {
    HWND dialog, tree, list;
    HTREEITEM Item(const std::string& text) const
    {
        HTREEITEM item = FindItem(tree, text);
        EXPECT_NE(item, nullptr) << text;
        return item;
    }
    void Click(const std::string& text) const { ClickTreeItem(tree, Item(text)); }
    Entries List() const { return ListEntries(list); }
    std::string Caret() const { return CaretText(tree); }
};

struct Outcome {
    INT_PTR result = 0;
    CString strResult;
    int count = -1;
};

Outcome Browse(bool single, const std::function<void(const Browser&)>& steps,
            const char* device = "1", const char* area = "")
{
    Outcome outcome;
    CBrowseArea dialog;
    dialog.m_strDevice = device;
    dialog.m_strArea = area;
    dialog.m_bSingleSelection = single;
    DialogDriver driver([&](HWND hwnd) {
        steps({hwnd, GetDlgItem(hwnd, IDC_AREA_TREE), GetDlgItem(hwnd, IDC_SELECTED_LIST)});
    });
    outcome.result = dialog.DoModal();
    outcome.strResult = dialog.m_strResult;
    outcome.count = dialog.m_nResultCount;
    EXPECT_TRUE(driver.Ran());
    return outcome;
}

class BrowserSelection : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake.Reset();
        // A floppy drive, a device whose areas have every status, one without areas, another.
        fake.devices = {"A:", "1", "E:", "2"};
        fake.areas["1"] = {"AREA1", "AREA1#CAT", "AREA1#CAT#SUB", "AREA2", "AREA3", "AREA4"};
        fake.areas["2"] = {"Z1"};
        fake.logins[LoginPath("1", "AREA2")] = {VORLANX_AREA_BLOCKED, 0};   // blocked
        fake.readonly["1|AREA3"] = VORLANX_AREA_READONLY;           // read-only: selectable
        fake.logins[LoginPath("1", "AREA4")] = {VORLANX_AREA_RESTRICTED, 0};   // restricted
    }
    FakeStore& fake = Fake();
};

TEST_F(BrowserSelection, MultipleSelectionFollowsTheRuleTable)
{
    const Outcome outcome = Browse(false, [](const Browser& b) {
        EXPECT_EQ(b.List(), Entries{}) << "the preselection is not a choice";
        b.Click("AREA1");  // case A: added
        b.Click("AREA2");  // blocked: kept out
        b.Click("AREA4");  // restricted: kept out
        b.Click("AREA3");  // read-only: added
        b.Click("Z1");     // another device's area
        EXPECT_EQ(b.List(), (Entries{"1:AREA1", "1:AREA3", "2:Z1"}));
        b.Click("AREA1");  // already listed: nothing more
        EXPECT_EQ(b.List(), (Entries{"1:AREA1", "1:AREA3", "2:Z1"}));
        b.Click("CAT");
        b.Click("SUB");
        EXPECT_EQ(b.List(), (Entries{"1:AREA1", "1:AREA1/CAT", "1:AREA1/CAT/SUB", "1:AREA3", "2:Z1"}));

        b.Click("1:");  // case B: the device's entries become its selectable areas
        EXPECT_EQ(b.List(), (Entries{"1:AREA1", "1:AREA3", "2:Z1"}));
        b.Click("E:");  // case C: a device without areas stands for itself
        b.Click("A:FLOPPY");  // case A: the text goes on after the ':'
        EXPECT_EQ(b.List(), (Entries{"1:AREA1", "1:AREA3", "2:Z1", "A:FLOPPY", "E:"}));
        b.Click("");  // the root: case D
        EXPECT_EQ(b.Caret(), "");
        EXPECT_EQ(b.List().size(), 5u);
        ClickButton(b.dialog, IDOK);
    });
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.strResult, "1:AREA1,1:AREA3,2:Z1,A:FLOPPY,E:");
    EXPECT_EQ(outcome.count, 5);
}

TEST_F(BrowserSelection, SingleSelectionReplacesTheListButKeepsOtherDevicesEntriesForADevice)
{
    Browse(true, [](const Browser& b) {
        b.Click("AREA1");
        EXPECT_EQ(b.List(), Entries{"1:AREA1"});
        b.Click("SUB");
        EXPECT_EQ(b.List(), Entries{"1:AREA1/CAT/SUB"});
        b.Click("AREA2");  // blocked: the list is emptied, nothing added
        EXPECT_EQ(b.List(), Entries{});
        b.Click("AREA3");
        b.Click("E:");  // only E:'s own entries are replaced
        EXPECT_EQ(b.List(), (Entries{"1:AREA3", "E:"}));
        b.Click("1:");  // a device with areas: its entries go, nothing comes
        EXPECT_EQ(b.List(), Entries{"E:"});
        b.Click("A:FLOPPY");
        EXPECT_EQ(b.List(), Entries{"A:FLOPPY"});
        b.Click("Z1");
        EXPECT_EQ(b.List(), Entries{"2:Z1"});
    });
}

TEST_F(BrowserSelection, AfterAnExpansionKeysChangeNothingUntilTheNextClick)
{
    Browse(false, [](const Browser& b) {
        // The build expanded the device: keys move the caret but leave the list alone.
        b.Click("AREA1");  // a click applies and ends that
        PressKey(b.tree, VK_DOWN);
        EXPECT_EQ(b.Caret(), "AREA2");
        PressKey(b.tree, VK_DOWN);  // no expansion since the click: keys apply too
        EXPECT_EQ(b.Caret(), "AREA3");
        EXPECT_EQ(b.List(), (Entries{"1:AREA1", "1:AREA3"}));

        ClickTreeButton(b.tree, b.Item("AREA1"));  // collapses AREA1: an expansion event
        PressKey(b.tree, VK_DOWN);
        EXPECT_EQ(b.Caret(), "AREA4");
        PressKey(b.tree, VK_UP);
        PressKey(b.tree, VK_UP);
        EXPECT_EQ(b.Caret(), "AREA2");
        ClickTreeButton(b.tree, b.Item("2:"));  // expands device 2
        PressKey(b.tree, VK_HOME);  // the root: case D anyway
        EXPECT_EQ(b.List(), (Entries{"1:AREA1", "1:AREA3"}));

        b.Click("Z1");
        EXPECT_EQ(b.List(), (Entries{"1:AREA1", "1:AREA3", "2:Z1"}));
    });
}

TEST_F(BrowserSelection, BeforeAnyClickTheBuildsExpansionHoldsBackKeys)
{
    Browse(false, [](const Browser& b) {
        EXPECT_EQ(b.Caret(), "AREA1");
        PressKey(b.tree, VK_DOWN);
        PressKey(b.tree, VK_DOWN);
        EXPECT_EQ(b.Caret(), "AREA3");
        EXPECT_EQ(b.List(), Entries{});
    }, "1", "area1");
}

TEST_F(BrowserSelection, AClickOnTheCaretItemChangesNothing)
{
    Browse(false, [](const Browser& b) {
        b.Click("AREA1");
        ClickListEntry(b.list, 0);  // removes the entry; the caret is still AREA1
        EXPECT_EQ(b.List(), Entries{});
        b.Click("AREA1");  // no selection change, so no notification
        EXPECT_EQ(b.List(), Entries{});
    });
}

TEST_F(BrowserSelection, OneClickOnAListEntryRemovesIt)
{
    Browse(false, [](const Browser& b) {
        b.Click("AREA1");
        b.Click("AREA3");
        b.Click("Z1");
        ClickListEntry(b.list, 1);
        EXPECT_EQ(b.List(), (Entries{"1:AREA1", "2:Z1"}));
        ClickListEntry(b.list, 1);
        ClickListEntry(b.list, 0);
        EXPECT_EQ(b.List(), Entries{});
    });
}

TEST_F(BrowserSelection, ClearSelectsTheRootAndEmptiesTheList)
{
    Browse(false, [](const Browser& b) {
        b.Click("AREA1");
        b.Click("E:");
        ClickButton(b.dialog, IDC_CLEAR);
        EXPECT_EQ(b.Caret(), "");
        EXPECT_EQ(b.List(), Entries{});
        b.Click("AREA3");
        b.Click("");  // the root already selected
        ClickButton(b.dialog, IDC_CLEAR);
        EXPECT_EQ(b.Caret(), "");
        EXPECT_EQ(b.List(), Entries{});
        // Clear does not hold back what comes next: a click still applies.
        b.Click("Z1");
        EXPECT_EQ(b.List(), Entries{"2:Z1"});
    });
}

TEST_F(BrowserSelection, OkWithAnEmptyListGivesTheEmptyTextAndCancelLeavesTheResultEmpty)
{
    Outcome outcome = Browse(false, [](const Browser& b) { ClickButton(b.dialog, IDOK); });
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.strResult, "");
    EXPECT_EQ(outcome.count, 0);

    outcome = Browse(false, [](const Browser& b) {
        b.Click("AREA1");
        ClickButton(b.dialog, IDCANCEL);
    });
    EXPECT_EQ(outcome.result, IDCANCEL);
    EXPECT_EQ(outcome.strResult, "");
}

TEST_F(BrowserSelection, ADoubleClickChangesNothingOfItsOwn)
{
    Browse(false, [](const Browser& b) {
        b.Click("AREA1");
        NMHDR header = {b.tree, IDC_AREA_TREE, UINT(NM_DBLCLK)};
        SendMessageA(b.dialog, WM_NOTIFY, IDC_AREA_TREE, reinterpret_cast<LPARAM>(&header));
        EXPECT_EQ(b.List(), Entries{"1:AREA1"});
    });
}

// The export: single selection, and the list joined at OK, whatever its length.
TEST_F(BrowserSelection, TheExportReturnsTheChoiceWholeAndTheHostFreesIt)
{
    const std::string longArea(300, 'L');
    fake.areas["1"].push_back(longArea);
    DialogDriver driver([&](HWND hwnd) {
        ClickTreeItem(GetDlgItem(hwnd, IDC_AREA_TREE), FindItem(GetDlgItem(hwnd, IDC_AREA_TREE), longArea));
        ClickTreeItem(GetDlgItem(hwnd, IDC_AREA_TREE), FindItem(GetDlgItem(hwnd, IDC_AREA_TREE), "E:"));
        ClickButton(hwnd, IDOK);
    });
    char* result = vorlanx_browse_category(nullptr, "1", "AREA1");
    ASSERT_TRUE(driver.Ran());
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(std::string(result), "1:" + longArea + ",E:");
    free(result);
}

}  // namespace
