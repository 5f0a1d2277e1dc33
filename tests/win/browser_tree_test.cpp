// The browser's one-time tree build, on the real dialog and tree control, against in-process
// fakes of the store and lookup that give exact answers and record the calls made.
#include "browser/browse_area.h"
#include "resource.h"
#include "support/fixtures/deployment.h"
#include "support/drivers/dialog_driver.h"
#include "support/store/fake_store.h"
#include "support/drivers/tree_dump.h"
#include "vorlanx.h"

#include <gtest/gtest.h>

namespace {

struct Opened {
    INT_PTR result = 0;
    std::string tree;      // DumpTree
    std::string caret;     // CaretText
    std::string expanded;  // texts of the expanded items, ',' after each
    int listCount = -1;
    CString device;        // m_strDevice after the build
};

void CollectExpanded(HWND tree, HTREEITEM item, std::string& out)
{
    for (; item; item = TreeView_GetNextSibling(tree, item)) {
        if (IsExpanded(tree, item))
            out += ItemText(tree, item) + ",";
        CollectExpanded(tree, TreeView_GetChild(tree, item), out);
    }
}

Opened Open(const char* device, const char* area)
{
    Opened opened;
    CBrowseArea dialog;
    dialog.m_strDevice = device;
    dialog.m_strArea = area;
    DialogDriver driver([&](HWND hwnd) {
        HWND tree = GetDlgItem(hwnd, IDC_AREA_TREE);
        opened.tree = DumpTree(tree);
        opened.caret = CaretText(tree);
        CollectExpanded(tree, TreeView_GetRoot(tree), opened.expanded);
        opened.listCount = static_cast<int>(SendDlgItemMessageA(hwnd, IDC_SELECTED_LIST, LB_GETCOUNT, 0, 0));
        ClickButton(hwnd, IDCANCEL);
    });
    opened.result = dialog.DoModal();
    opened.device = dialog.m_strDevice;
    EXPECT_TRUE(driver.Ran()) << "the dialog did not open";
    return opened;
}

class BrowserTree : public ::testing::Test {
protected:
    void SetUp() override { Fake().Reset(); }
    FakeStore& fake = Fake();
};

TEST_F(BrowserTree, StatusImagesOnANumberedDevice)
{
    fake.devices = {"1"};
    fake.areas["1"] = {"OPEN", "BLOCKED", "RESTR", "EXPIRED", "SECOND13", "OTHER", "RO",
                       "BLOCKED_RO", "RESTR_RO", "S13_RO", "HIDDEN", "RESTR_HIDDEN"};
    fake.logins[LoginPath("1", "BLOCKED")] = {VORLANX_AREA_BLOCKED, 0};
    fake.logins[LoginPath("1", "BLOCKED_RO")] = {VORLANX_AREA_BLOCKED, 13};  // second is not consulted for 1018
    fake.logins[LoginPath("1", "RESTR")] = {VORLANX_AREA_RESTRICTED, 13};
    fake.logins[LoginPath("1", "RESTR_RO")] = {VORLANX_AREA_RESTRICTED, 0};
    fake.logins[LoginPath("1", "RESTR_HIDDEN")] = {VORLANX_AREA_RESTRICTED, 0};
    fake.logins[LoginPath("1", "EXPIRED")] = {VORLANX_AREA_RESTRICTED_EXPIRED, 0};
    fake.logins[LoginPath("1", "SECOND13")] = {VORLANX_ERR_NO_LOGIN_CONTROL, 13};
    fake.logins[LoginPath("1", "S13_RO")] = {4711, 13};
    fake.logins[LoginPath("1", "OTHER")] = {4711, 0};
    for (const char* ro : {"RO", "BLOCKED_RO", "RESTR_RO", "S13_RO"})
        fake.readonly[std::string("1|") + ro] = VORLANX_AREA_READONLY;
    fake.readonly["1|HIDDEN"] = VORLANX_AREA_HIDDEN;
    fake.readonly["1|RESTR_HIDDEN"] = VORLANX_AREA_HIDDEN;

    const Opened opened = Open("1", "");
    EXPECT_EQ(opened.tree,
              "|0\n"
              "  1:|1\n"
              "    BLOCKED|3\n"
              "    BLOCKED_RO|4\n"
              "    EXPIRED|5\n"
              "    OPEN|2\n"
              "    OTHER|2\n"
              "    RESTR|5\n"
              "    RESTR_RO|5\n"
              "    RO|4\n"
              "    S13_RO|4\n"
              "    SECOND13|3\n");
    EXPECT_EQ(opened.expanded, ",1:,");  // the root (no label here) and the device
    // Nothing to preselect: the tree took the focus when it expanded, and with it its first item.
    EXPECT_EQ(opened.caret, "");
    EXPECT_EQ(opened.listCount, 0);
    EXPECT_EQ(opened.result, IDCANCEL);
}

TEST_F(BrowserTree, StatusImagesOnADriveLetterDeviceNeverAskReadOnly)
{
    fake.devices = {"C:"};
    fake.areas["C:"] = {"OPEN", "BLOCKED", "RESTR", "EXPIRED", "SECOND13", "RO", "X#Y"};
    fake.logins[LoginPath("C:", "BLOCKED")] = {VORLANX_AREA_BLOCKED, 0};
    fake.logins[LoginPath("C:", "RESTR")] = {VORLANX_AREA_RESTRICTED, 0};
    fake.logins[LoginPath("C:", "EXPIRED")] = {VORLANX_AREA_RESTRICTED_EXPIRED, 13};
    fake.logins[LoginPath("C:", "SECOND13")] = {VORLANX_ERR_NO_LOGIN_CONTROL, 13};
    fake.readonly["C:|RO"] = VORLANX_AREA_HIDDEN;
    const Opened opened = Open("C:", "");
    EXPECT_EQ(opened.tree,
              "|0\n"
              "  C:|1\n"
              "    BLOCKED|3\n"
              "    EXPIRED|2\n"
              "    OPEN|2\n"
              "    RESTR|2\n"
              "    RO|2\n"
              "    SECOND13|3\n"
              "    X#Y|2\n");
    for (const std::string& call : fake.calls)
        EXPECT_EQ(call.find("IsAreaReadonly"), std::string::npos) << call;
    EXPECT_TRUE(fake.Called("check C:\\userroot\\storage\\X#Y\\login.ctl"));
}

TEST_F(BrowserTree, ALongAreaNameReachesTheLoginCheckWhole)
{
    const std::string longName(5000, 'L');
    fake.devices = {"C:"};
    fake.areas["C:"] = {longName};
    fake.logins[LoginPath("C:", longName)] = {VORLANX_AREA_BLOCKED, 0};
    const Opened opened = Open("C:", "");
    EXPECT_TRUE(fake.Called("check " + LoginPath("C:", longName)));
    EXPECT_NE(opened.tree.find("|3\n"), std::string::npos) << "the long area shows as blocked";
}

TEST_F(BrowserTree, FloppyAndRemovableDrivesGetNoAreas)
{
    // The test prefix makes A: a floppy drive; B: does not exist, so it is not removable.
    fake.devices = {"A:", "B:", "a:", "C:"};
    fake.areas["A:"] = {"NEVER"};
    fake.areas["a:"] = {"NEVER"};
    fake.areas["B:"] = {"B1"};
    fake.areas["C:"] = {"C1"};
    const Opened opened = Open("A:", "");
    EXPECT_EQ(opened.tree,
              "|0\n"
              "  A:FLOPPY|1\n"
              "  B:FLOPPY|1\n"
              "    B1|2\n"
              "  A:|1\n"
              "  C:|1\n"
              "    C1|2\n");
    EXPECT_FALSE(fake.Called("ListFirstArea A:"));
    EXPECT_FALSE(fake.Called("ListFirstArea a:"));
    EXPECT_TRUE(fake.Called("ListFirstArea B:"));
}

TEST_F(BrowserTree, NumberedDevicesShowAColonAndPassTheirFirstCharacter)
{
    fake.devices = {"1", "12"};
    fake.areas["1"] = {"ONE"};
    fake.areas["12"] = {"M", "M#CAT"};
    const Opened opened = Open("12", "");
    EXPECT_EQ(opened.tree,
              "|0\n"
              "  1:|1\n"
              "    ONE|2\n"
              "  12:|1\n"
              "    M|2\n"
              "      CAT|6\n");
    EXPECT_EQ(opened.expanded, ",12:,");
    EXPECT_TRUE(fake.Called("check 1:\\userroot\\storage\\M\\login.ctl"));
    EXPECT_TRUE(fake.Called("check 1:\\userroot\\storage\\M#CAT\\login.ctl"));
    EXPECT_TRUE(fake.Called("IsAreaReadonly 12 M"));
    EXPECT_FALSE(fake.Called("IsAreaReadonly 12 M#CAT"));  // categories are never hidden
}

TEST_F(BrowserTree, EntriesAppearInTheirCaseInsensitiveOrder)
{
    fake.devices = {"C:", "D:"};
    fake.areas["C:"] = {"b", "A", "a_c", "AB"};
    fake.areas["D:"] = {"Area", "zz", "AREA", "1x", "_u"};
    const Opened opened = Open("", "");
    EXPECT_EQ(opened.tree,
              "|0\n"
              "  C:|1\n"
              "    A|2\n"
              "    a_c|2\n"
              "    AB|2\n"
              "    b|2\n"
              "  D:|1\n"
              "    1x|2\n"
              "    _u|2\n"
              "    Area|2\n"
              "    AREA|2\n"
              "    zz|2\n");
    EXPECT_EQ(opened.expanded, ",");  // a lone colon names no device: only the root
    EXPECT_EQ(opened.device, ":");
}

TEST_F(BrowserTree, CategoriesNestBelowTheirParentPath)
{
    fake.devices = {"1"};
    fake.areas["1"] = {"AREA2", "AREA1#CAT#SUB2", "AREA1#CAT2", "AREA1", "AREA1#CAT",
                       "AREA1#CAT#SUB", "AREA1#CAT#SUB#LEAF", "AREA3#", "AREA3"};
    const Opened opened = Open("1", "");
    EXPECT_EQ(opened.tree,
              "|0\n"
              "  1:|1\n"
              "    AREA1|2\n"
              "      CAT|6\n"
              "        SUB|6\n"
              "          LEAF|6\n"
              "        SUB2|6\n"
              "      CAT2|6\n"
              "    AREA2|2\n"
              "    AREA3|2\n"
              "      |6\n");
}

TEST_F(BrowserTree, CategoriesOfAHiddenOrUnlistedAreaAreNotShownAnywhere)
{
    fake.devices = {"1", "2"};
    fake.areas["1"] = {"SHOWN", "SECRET", "SECRET#CAT", "SECRET#CAT#SUB", "GONE#CAT", "Z"};
    fake.areas["2"] = {"A#ORPHAN", "B"};  // A is not listed; the last area before is 1's Z
    fake.readonly["1|SECRET"] = VORLANX_AREA_HIDDEN;
    const Opened opened = Open("", "");
    EXPECT_EQ(opened.tree,
              "|0\n"
              "  1:|1\n"
              "    SHOWN|2\n"
              "    Z|2\n"
              "  2:|1\n"
              "    B|2\n");
}

TEST_F(BrowserTree, ALevelThatTheListingSkipsIsInsertedSoEveryPathNamesItsCategory)
{
    fake.devices = {"1"};
    fake.areas["1"] = {"AREA", "AREA#CAT", "AREA#CAT#X#Y", "AREA#CAT#Z", "AREA#P#Q"};
    const Opened opened = Open("1", "");
    EXPECT_EQ(opened.tree,
              "|0\n"
              "  1:|1\n"
              "    AREA|2\n"
              "      CAT|6\n"
              "        X|6\n"
              "          Y|6\n"
              "        Z|6\n"
              "      P|6\n"
              "        Q|6\n");
}

// A store may spell a folder's name in another case in a longer path: the folder is the same.
TEST_F(BrowserTree, ParentPathsMatchWithoutCase)
{
    fake.devices = {"1"};
    fake.areas["1"] = {"Area1", "AREA1#CAT", "area1#cat#SUB", "B", "b", "B#X"};
    const Opened opened = Open("1", "");
    EXPECT_EQ(opened.tree,
              "|0\n"
              "  1:|1\n"
              "    Area1|2\n"
              "      CAT|6\n"
              "        SUB|6\n"
              "    B|2\n"
              "    b|2\n"
              "      X|6\n");  // the area inserted last
}

TEST_F(BrowserTree, TheDeviceArgumentIsNormalizedBeforeItIsMatched)
{
    fake.devices = {"C:", "D:"};
    fake.areas["C:"] = {"AREA1"};
    fake.areas["D:"] = {"AREA1"};
    Opened opened = Open("c", "");
    EXPECT_EQ(opened.device, "C:");
    EXPECT_EQ(opened.expanded, ",C:,");
    opened = Open("c:\\", "");
    EXPECT_EQ(opened.device, "C:\\");
    EXPECT_EQ(opened.expanded, ",");
    opened = Open("d:", "");
    EXPECT_EQ(opened.expanded, ",D:,");
}

TEST_F(BrowserTree, OfTwoDevicesWithTheSameTextTheLaterOneOpens)
{
    fake.devices = {"C:", "c"};
    fake.areas["C:"] = {"FIRST"};
    fake.areas["c"] = {"SECOND"};
    const Opened opened = Open("C", "second");
    EXPECT_EQ(opened.tree,
              "|0\n"
              "  C:|1\n"
              "    FIRST|2\n"
              "  C:|1\n"
              "    SECOND|2\n");
    EXPECT_EQ(opened.expanded, ",C:,");
    EXPECT_EQ(opened.caret, "SECOND");
}

TEST_F(BrowserTree, PreselectionMatchesAnAreaOfTheOpenedDeviceOnly)
{
    fake.devices = {"1", "C:"};
    fake.areas["1"] = {"AREA1", "AREA1#CAT", "AREA2", "AREA2#CAT"};
    fake.areas["C:"] = {"ELSEWHERE"};
    const struct {
        const char* device;
        const char* area;
        const char* caret;
    } cases[] = {
        {"1", "area2#cat", "AREA2"},  // case-insensitive; the category part is ignored
        {"1", "AREA1", "AREA1"},      // the device's first area
        {"1", "#AREA1", ""},          // nothing before the '#': the selection stays (the root)
        {"1", "", ""},
        {"1", "CAT", "(none)"},       // a category name matches no area: no item selected
        {"1", "ELSEWHERE", "(none)"}, // an area of another device
        {"9", "AREA1", "(none)"},     // no such device
    };
    for (const auto& c : cases) {
        const Opened opened = Open(c.device, c.area);
        EXPECT_EQ(opened.caret, c.caret) << c.device << " " << c.area;
        EXPECT_EQ(opened.listCount, 0) << "the preselection is not a choice";
    }
}

TEST_F(BrowserTree, EveryStoreCallComesInsideOneCachedPass)
{
    fake.devices = {"C:", "1"};
    fake.areas["C:"] = {"A"};
    fake.areas["1"] = {"B", "B#C"};
    Open("C:", "A");
    EXPECT_EQ(fake.startcache, 1);
    EXPECT_EQ(fake.stopcache, 1);
    EXPECT_TRUE(fake.cacheOpenDuringCalls);
    ASSERT_GE(fake.calls.size(), 2u);
    EXPECT_EQ(fake.calls[0], "StoreFailedConnections");
    EXPECT_EQ(fake.calls[1], "ListFirstDevice \\\\. 7");
}

TEST_F(BrowserTree, AFailingBuildStillClosesTheCachedPassAndKeepsWhatItInserted)
{
    fake.devices = {"C:", "D:", "E:"};
    fake.areas["C:"] = {"C1", "C2"};
    fake.areas["D:"] = {"D1", "D2", "D3"};
    fake.throwAfterEntries = 4;  // C: lists 2 entries, D: throws after its second
    const Opened opened = Open("C:", "C1");
    EXPECT_EQ(fake.startcache, 1);
    EXPECT_EQ(fake.stopcache, 1);
    EXPECT_EQ(opened.tree,
              "|0\n"
              "  C:|1\n"
              "    C1|2\n"
              "    C2|2\n"
              "  D:|1\n");
}

// A host's subclass of the open dialog still sees the dialog's last message: the dialog's own
// handling of its closing passes on everything but the tree's deletions.
WNDPROC g_hostPrevious = nullptr;
int g_hostLastMessages = 0;
LRESULT CALLBACK HostSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_hostLastMessages += message == WM_NCDESTROY;
    return CallWindowProcA(g_hostPrevious, hwnd, message, wParam, lParam);
}

TEST_F(BrowserTree, ASubclassOfTheDialogSeesItsLastMessage)
{
    fake.devices = {"C:"};
    fake.areas["C:"] = {"A", "B"};
    CBrowseArea dialog;
    DialogDriver driver([&](HWND hwnd) {
        g_hostPrevious = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostSubclass)));
        ClickButton(hwnd, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(g_hostLastMessages, 1);
}

}  // namespace
