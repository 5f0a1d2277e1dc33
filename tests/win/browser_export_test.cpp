// vorlanx_browse_category of the shipped vorlanx.dll against our real store on a folder tree:
// the dialog as a host opens it, its template, its tree and its icons.
#include "resource.h"
#include "support/drivers/dialog_driver.h"
#include "support/drivers/dialog_template.h"
#include "support/drivers/input.h"
#include "support/drivers/tree_dump.h"
#include "support/fixtures/deployment.h"
#include "vorlanx.h"
#include "vorlanx_version.h"

#include <gtest/gtest.h>

#include <set>

// The resource numbers are binary interface: resource libraries built elsewhere carry them. The
// tests use the names; these are the one place that holds the numbers.
static_assert(IDD_BROWSE_AREA == 402 && IDC_AREA_TREE == 25031 && IDC_SELECTED_LIST == 25033 &&
              IDC_CLEAR == 25034);
static_assert(IDD_SUBFOLDER == 113 && IDC_SUBFOLDER_NAME == 25042 &&
              IDC_SUBFOLDER_DESCRIPTION == 25043);
static_assert(IDR_SUBFOLDER_MENU == 112 && ID_SUBFOLDER_NEW == 50253 &&
              ID_SUBFOLDER_EDIT == 50258 && ID_SUBFOLDER_DELETE == 50256);
static_assert(IDS_ROOT_LABEL == 50231 && IDS_FLOPPY == 50252 && IDS_SUBFOLDER_EXISTS == 50254 &&
              IDS_SUBFOLDER_NAME_RULE == 50259);
static_assert(IDI_ROOT == 404 && IDI_DEVICE == 405 && IDI_AREA == 406 && IDI_CATEGORY == 407 &&
              IDI_AREA_RESTRICTED == 408 && IDI_AREA_BLOCKED == 409 && IDI_AREA_READONLY == 318);

namespace {

class BrowseExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string c = deployment.MakeDevice("c");
        const std::string one = deployment.MakeDevice("1");
        deployment.WriteStorageIni({{"C:", c}, {"1", one}});
        const std::string cs = c + "\\userroot\\storage", os = one + "\\userroot\\storage";
        MakeArea(cs, "PAYROLL", "open");
        MakeArea(cs, "ARCHIVE", "blocked");
        MakeArea(cs, "LEGAL", "restricted");
        MakeFolders(cs + "\\NOLOGIN");
        MakeFolders(cs + "\\PAYROLL\\NOT_A_CATEGORY");  // drive-letter devices have none
        MakeArea(os, "AREA1", "open");
        MakeFolders(os + "\\AREA1\\CAT\\SUB");
        MakeFolders(os + "\\AREA1\\CAT2");
        MakeArea(os, "AREA2", "open", "yes");
        MakeArea(os, "AREA3", "restricted-expired");
        MakeArea(os, "SECRET", "open", "no", "yes");
        MakeFolders(os + "\\SECRET\\HIDDEN_TOO");
        module = deployment.Load("vorlanx.dll");
        ASSERT_NE(module, nullptr);
        browse = Proc<vorlanx_browse_category_fn>(module, "vorlanx_browse_category");
    }

    Deployment deployment;
    HMODULE module = nullptr;
    vorlanx_browse_category_fn browse = nullptr;
};

TEST_F(BrowseExport, OpensOnTheRealStoreAndReturnsAnEmptyStringOnCancel)
{
    std::string tree, caret, title;
    bool rootExpanded = false, deviceExpanded = false, listEmpty = false;
    DialogDriver driver([&](HWND dialog) {
        HWND hTree = GetDlgItem(dialog, IDC_AREA_TREE);
        tree = DumpTree(hTree);
        caret = CaretText(hTree);
        rootExpanded = IsExpanded(hTree, TreeView_GetRoot(hTree));
        deviceExpanded = IsExpanded(hTree, FindItem(hTree, "C:"));
        listEmpty = SendDlgItemMessageA(dialog, IDC_SELECTED_LIST, LB_GETCOUNT, 0, 0) == 0;
        char text[64] = {};
        GetWindowTextA(dialog, text, sizeof text);
        title = text;
        ClickButton(dialog, IDCANCEL);
    });
    char* result = browse(nullptr, "c", "payroll");
    ASSERT_TRUE(driver.Ran());
    ASSERT_NE(result, nullptr);
    EXPECT_STREQ(result, "");
    free(result);  // the host's to release, with the C runtime's free

    EXPECT_EQ(title, "Browse for Storage Area");
    // The root label comes from the English resource library beside the library.
    EXPECT_EQ(tree,
              "Storage devices|0\n"
              "  C:|1\n"
              "    ARCHIVE|3\n"
              "    LEGAL|2\n"
              "    NOLOGIN|3\n"
              "    PAYROLL|2\n"
              "  1:|1\n"
              "    AREA1|2\n"
              "      CAT|6\n"
              "        SUB|6\n"
              "      CAT2|6\n"
              "    AREA2|4\n"
              "    AREA3|5\n");
    EXPECT_EQ(caret, "PAYROLL");
    EXPECT_TRUE(rootExpanded);
    EXPECT_TRUE(deviceExpanded);
    EXPECT_TRUE(listEmpty);
}

TEST_F(BrowseExport, ClosingTheDialogAnyWayGivesAnEmptyStringAndLeavesTheHostWindowAlone)
{
    HWND host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    for (UINT close : {UINT(WM_CLOSE), UINT(IDOK), UINT(IDCANCEL)}) {
        bool parentDisabled = false;
        DialogDriver driver([&](HWND dialog) {
            parentDisabled = GetParent(dialog) == host && !IsWindowEnabled(host);
            if (close == WM_CLOSE)
                SendMessageA(dialog, WM_CLOSE, 0, 0);
            else
                ClickButton(dialog, close);
        });
        char* result = browse(host, nullptr, nullptr);
        ASSERT_TRUE(driver.Ran());
        ASSERT_NE(result, nullptr);
        EXPECT_STREQ(result, "");
        free(result);
        EXPECT_TRUE(parentDisabled) << "the host's window is the dialog's owner while it runs";
        EXPECT_TRUE(IsWindow(host));
        EXPECT_TRUE(IsWindowEnabled(host));
    }
    DestroyWindow(host);
}

TEST_F(BrowseExport, ADialogThatCannotBeCreatedStillGivesAnEmptyString)
{
    // A window handle that is no window: the dialog cannot have it as its owner.
    char* result = browse(reinterpret_cast<HWND>(0x7777), "C:", "PAYROLL");
    ASSERT_NE(result, nullptr);
    EXPECT_STREQ(result, "");
    free(result);
}

TEST_F(BrowseExport, TheTemplateIsExactlyDialog402)
{
    const DialogTemplate t = ReadDialogTemplate(module, IDD_BROWSE_AREA);
    ASSERT_TRUE(t.found);
    EXPECT_EQ(t.title, "Browse for Storage Area");
    EXPECT_EQ(t.style, DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(t.exStyle, 0u);
    EXPECT_EQ((std::vector<short>{t.cx, t.cy}), (std::vector<short>{321, 190}));
    EXPECT_EQ(t.font, "MS Shell Dlg");
    EXPECT_EQ(t.pointSize, 8);

    ExpectControls(t, {
        {IDOK, "Button", "OK", 132, 169, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
        {IDCANCEL, "Button", "Cancel", 198, 169, 50, 14, BS_PUSHBUTTON | WS_TABSTOP, 0},
        {IDC_CLEAR, "Button", "Clear", 264, 169, 50, 14, BS_PUSHBUTTON | WS_TABSTOP, 0},
        {-1, "Static", "Select the device or storage area", 7, 7, 197, 14, SS_LEFT | WS_GROUP, 0},
        {IDC_AREA_TREE, "SysTreeView32", "", 7, 26, 197, 137,
         TVS_HASBUTTONS | TVS_HASLINES | TVS_DISABLEDRAGDROP | WS_BORDER | WS_TABSTOP,
         WS_EX_CLIENTEDGE},
        {-1, "Static", "Selected storage areas.", 210, 7, 104, 14, SS_LEFT | WS_GROUP, 0},
        {IDC_SELECTED_LIST, "ListBox", "", 210, 26, 104, 137,
         LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 0},
    });
}

TEST_F(BrowseExport, TheLibraryCarriesItsStringsVersionAndManifest)
{
    char text[64] = {};
    EXPECT_EQ(LoadStringA(module, IDS_FLOPPY, text, sizeof text), 6);
    EXPECT_STREQ(text, "FLOPPY");
    EXPECT_EQ(LoadStringA(module, IDS_ROOT_LABEL, text, sizeof text), 0) << "the root label is not ours";

    HRSRC manifest = FindResourceA(module, MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(24));
    ASSERT_NE(manifest, nullptr);
    const std::string xml(static_cast<const char*>(LockResource(LoadResource(module, manifest))),
                          SizeofResource(module, manifest));
    EXPECT_NE(xml.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(xml.find(">true</dpiAware>"), std::string::npos);

    // The product version is the build's one version number.
    const std::string path = deployment.Folder() + "\\vorlanx.dll";
    std::string block(GetFileVersionInfoSizeA(path.c_str(), nullptr), '\0');
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, block.size(), block.data()));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &size));
    const WORD expected[] = {VORLANX_VERSION_COMMA};
    EXPECT_EQ(info->dwProductVersionMS, DWORD(expected[0] << 16 | expected[1]));
    EXPECT_EQ(info->dwProductVersionLS, DWORD(expected[2] << 16 | expected[3]));
}

// What a deployment shows comes from the English resource library first: whatever of the
// library's own texts it carries must read exactly as the library's do, typing errors and all.
TEST_F(BrowseExport, TheEnglishResourceLibraryShowsTheLibrarysOwnTexts)
{
    const std::string path = deployment.Folder() + "\\vorlanxres.dll";
    HMODULE english = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(english, nullptr);
    char theirs[512], ours[512];
    for (UINT id : {IDS_FLOPPY, IDS_SUBFOLDER_EXISTS, IDS_SUBFOLDER_NAME_RULE}) {
        if (LoadStringA(english, id, theirs, sizeof theirs) == 0)
            continue;
        ASSERT_GT(LoadStringA(module, id, ours, sizeof ours), 0) << id;
        EXPECT_STREQ(theirs, ours) << "string " << id;
    }
    if (HMENU theirMenu = LoadMenuA(english, MAKEINTRESOURCEA(IDR_SUBFOLDER_MENU))) {
        HMENU ourMenu = LoadMenuA(module, MAKEINTRESOURCEA(IDR_SUBFOLDER_MENU));
        ASSERT_NE(ourMenu, nullptr);
        HMENU theirPopup = GetSubMenu(theirMenu, 0), ourPopup = GetSubMenu(ourMenu, 0);
        ASSERT_EQ(GetMenuItemCount(theirPopup), GetMenuItemCount(ourPopup));
        for (UINT id : {ID_SUBFOLDER_NEW, ID_SUBFOLDER_EDIT, ID_SUBFOLDER_DELETE}) {
            GetMenuStringA(theirPopup, id, theirs, sizeof theirs, MF_BYCOMMAND);
            GetMenuStringA(ourPopup, id, ours, sizeof ours, MF_BYCOMMAND);
            EXPECT_STREQ(theirs, ours) << "menu item " << id;
        }
        DestroyMenu(ourMenu);
        DestroyMenu(theirMenu);
    }
    FreeLibrary(english);
}

// Draws each image of the tree's image list and compares them: seven real 16 x 16 pictures,
// no two alike, none blank.
TEST_F(BrowseExport, TheTreeShowsSevenDistinctIcons)
{
    std::vector<std::vector<DWORD>> images;
    int cx = 0, cy = 0;
    DialogDriver driver([&](HWND dialog) {
        HWND tree = GetDlgItem(dialog, IDC_AREA_TREE);
        auto list = reinterpret_cast<HIMAGELIST>(SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
        ImageList_GetIconSize(list, &cx, &cy);
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        BITMAPINFO bi = {};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        for (int i = 0; i < ImageList_GetImageCount(list); ++i) {
            void* bits = nullptr;
            HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
            HGDIOBJ old = SelectObject(dc, bitmap);
            ImageList_Draw(list, i, dc, 0, 0, ILD_NORMAL);
            GdiFlush();
            const DWORD* pixels = static_cast<const DWORD*>(bits);
            images.emplace_back(pixels, pixels + 256);
            SelectObject(dc, old);
            DeleteObject(bitmap);
        }
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        ClickButton(dialog, IDCANCEL);
    });
    free(browse(nullptr, "C:", ""));
    ASSERT_TRUE(driver.Ran());
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    ASSERT_EQ(images.size(), 7u);
    for (size_t i = 0; i < images.size(); ++i) {
        const std::set<DWORD> colours(images[i].begin(), images[i].end());
        EXPECT_GE(colours.size(), 3u) << "image " << i << " is nearly blank";
        EXPECT_EQ(images[i][0] & 0xFFFFFF, 0xFFFFFFu) << "image " << i << " lacks its white ground";
        for (size_t j = 0; j < i; ++j)
            EXPECT_NE(images[i], images[j]) << "images " << j << " and " << i << " are alike";
    }
}

// Devices 1 and 12 both have an area SHARED, blocked on 12: the login path names only the
// device's first character, yet each device shows its own area's status, and a choice on 12
// comes back as 12:AREA/CAT.
TEST(BrowseExportDevices, ADeviceOfTwoDigitsShowsItsOwnAreasAndPaths)
{
    Deployment deployment;
    const std::string one = deployment.MakeDevice("1"), twelve = deployment.MakeDevice("12");
    deployment.WriteStorageIni({{"1", one}, {"12", twelve}});
    MakeArea(one + "\\userroot\\storage", "SHARED", "open");
    MakeArea(twelve + "\\userroot\\storage", "SHARED", "blocked");
    MakeArea(twelve + "\\userroot\\storage", "WORK", "open");
    MakeFolders(twelve + "\\userroot\\storage\\WORK\\CAT");
    const auto browse =
        Proc<vorlanx_browse_category_fn>(deployment.Load("vorlanx.dll"), "vorlanx_browse_category");
    ASSERT_NE(browse, nullptr);
    std::string tree;
    DialogDriver driver([&](HWND dialog) {
        HWND hTree = GetDlgItem(dialog, IDC_AREA_TREE);
        tree = DumpTree(hTree);
        TreeView_Expand(hTree, FindItem(hTree, "WORK"), TVE_EXPAND);
        ClickTreeItem(hTree, FindItem(hTree, "CAT"));
        ClickButton(dialog, IDOK);
    });
    char* result = browse(nullptr, "12", "WORK");
    ASSERT_TRUE(driver.Ran());
    EXPECT_NE(tree.find("  1:|1\n    SHARED|2\n  12:|1\n    SHARED|3\n"), std::string::npos)
        << tree;
    ASSERT_NE(result, nullptr);
    EXPECT_STREQ(result, "12:WORK/CAT");
    free(result);
}

}  // namespace
