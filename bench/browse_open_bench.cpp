// How long the browser takes to open: OnInitDialog up to the end of the tree build, for 1,000,
// 10,000 and 100,000 areas and categories from an in-process lookup, against the floor: the bare
// tree control inserting the same items in the same shape and order (areas under devices,
// categories under their parents, each item as the last child), with an image list of the same
// seven icons, the same expansions and selection, in the same run. The machine may be busy with
// other work: each figure is the best of several rounds, the two taken in turn. Then a screen
// reader's reading of the open browser on a device of 10,000 areas, in-process: every visible
// item's name, state and description, the caret sent to the last area and back.
#include "browser/browse_area.h"
#include "lean_lookup.h"
#include "resource.h"

#include <oleacc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// The browser, timed from OnInitDialog to the end of its build; it never shows.
class TimedBrowser : public CBrowseArea {
public:
    double ms = 0;

protected:
    BOOL OnInitDialog() override
    {
        const auto start = Clock::now();
        const BOOL result = CBrowseArea::OnInitDialog();
        ms = Ms(Clock::now() - start);
        EndDialog(IDCANCEL);
        return result;
    }
};

// The tree's accessible object read as a screen reader reads it, once the browser is up.
class ReadBrowser : public CBrowseArea {
public:
    double ms = 0;
    long children = 0, described = 0;

protected:
    BOOL OnInitDialog() override
    {
        const BOOL result = CBrowseArea::OnInitDialog();
        const HWND tree = GetDlgItem(IDC_AREA_TREE);
        const auto start = Clock::now();
        const LRESULT answer = SendMessageW(tree, WM_GETOBJECT, 0, static_cast<DWORD>(OBJID_CLIENT));
        IAccessible* object = nullptr;
        if (answer > 0 && SUCCEEDED(ObjectFromLresult(answer, __uuidof(IAccessible), 0,
                                                      reinterpret_cast<void**>(&object)))) {
            object->get_accChildCount(&children);
            std::vector<VARIANT> ids(static_cast<size_t>(children));
            LONG got = 0;
            AccessibleChildren(object, 0, children, ids.data(), &got);
            for (LONG i = 0; i < got; ++i) {
                BSTR name = nullptr, description = nullptr;
                VARIANT state;
                VariantInit(&state);
                object->get_accName(ids[i], &name);
                object->get_accState(ids[i], &state);
                if (object->get_accDescription(ids[i], &description) == S_OK)
                    ++described;
                SysFreeString(name);
                SysFreeString(description);
                VariantClear(&ids[i]);
            }
            for (UINT key : {VK_END, VK_HOME}) {
                SendMessageW(tree, WM_KEYDOWN, key, 1);
                SendMessageW(tree, WM_KEYUP, key, 0xC0000001);
            }
            object->Release();
        }
        ms = Ms(Clock::now() - start);
        EndDialog(IDCANCEL);
        return result;
    }
};

// Four numbered devices; each area has a category with a sub-category: three items an area.
void MakeLookup(int items)
{
    std::mt19937 random(items);
    Lookup().devices.clear();
    const int perDevice = items / 4 / 3;
    for (int d = 1; d <= 4; ++d) {
        LeanLookup::Device device{std::to_string(d), {}};
        for (int a = 0; a < perDevice; ++a) {
            char area[32];
            snprintf(area, sizeof area, "AREA%06d", a);
            device.listed.push_back(area);
            device.listed.push_back(std::string(area) + "#CAT");
            device.listed.push_back(std::string(area) + "#CAT#SUB");
        }
        std::shuffle(device.listed.begin(), device.listed.end(), random);  // as a lookup lists
        Lookup().devices.push_back(device);
    }
}

double OpenBrowser()
{
    TimedBrowser browser;
    browser.m_strDevice = "1";
    browser.m_strArea = "AREA000000";
    browser.DoModal();
    return browser.ms;
}

// The browser dialog's font, which its tree measures its visible items' texts with.
HFONT DialogFont()
{
    static HFONT font = [] {
        HDC screen = GetDC(nullptr);
        const int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
        ReleaseDC(nullptr, screen);
        return CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                           "MS Shell Dlg");
    }();
    return font;
}

// The same items, already in order, straight into a tree control of the same styles.
double BareTree()
{
    HWND tree = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                                WS_POPUP | TVS_HASBUTTONS | TVS_HASLINES | TVS_DISABLEDRAGDROP,
                                0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    SendMessageA(tree, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
    CTreeCtrl control;
    control.Attach(tree);
    const auto start = Clock::now();
    CImageList images;
    images.Create(16, 16, 0, kImageCount, 1);
    for (int icon : {IDI_ROOT, IDI_DEVICE, IDI_AREA, IDI_AREA_BLOCKED, IDI_AREA_READONLY,
                     IDI_AREA_RESTRICTED, IDI_CATEGORY})
        images.Add(LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(icon)));
    control.SetImageList(images.m_hImageList, TVSIL_NORMAL);
    HTREEITEM root = control.InsertItem("", 0, 0, TVI_ROOT);
    HTREEITEM first = nullptr, firstArea = nullptr;
    for (const auto& d : Lookup().devices) {
        HTREEITEM device = control.InsertItem((d.name + ":").c_str(), 1, 1, root);
        first = first ? first : device;
        for (size_t a = 0; a < d.listed.size() / 3; ++a) {
            char name[32];
            snprintf(name, sizeof name, "AREA%06d", int(a));
            HTREEITEM area = control.InsertItem(name, 2, 2, device);
            firstArea = firstArea ? firstArea : area;
            HTREEITEM cat = control.InsertItem("CAT", 6, 6, area);
            control.InsertItem("SUB", 6, 6, cat);
        }
    }
    control.Expand(root, TVE_EXPAND);
    control.Expand(first, TVE_EXPAND);
    control.SelectItem(firstArea);
    const double ms = Ms(Clock::now() - start);
    DestroyWindow(tree);
    return ms;
}

}  // namespace

// With the argument "reading", only the screen reader's reading; with a number, only that size
// and the reading.
int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    printf("browser open (OnInitDialog to the end of the build) vs the bare tree control\n");
    printf("%10s %12s %12s %8s\n", "items", "browser ms", "bare ms", "ratio");
    const bool readingOnly = argc > 1 && strcmp(argv[1], "reading") == 0;
    const int onlySize = argc > 1 ? atoi(argv[1]) : 0;
    for (const auto& [items, rounds] : {std::pair{1000, 31}, {10000, 21}, {100000, 7}}) {
        if (readingOnly)
            break;
        if (onlySize > 0 && items != onlySize)
            continue;
        MakeLookup(items);
        double browser = 1e30, bare = 1e30;
        // Each goes first in every other round, so neither always finds what the other left.
        for (int round = 0; round < rounds; ++round) {
            if (round % 2)
                bare = std::min(bare, BareTree());
            browser = std::min(browser, OpenBrowser());
            if (round % 2 == 0)
                bare = std::min(bare, BareTree());
        }
        printf("%10d %12.1f %12.1f %8.2f\n", items, browser, bare, browser / bare);
    }
    Lookup().devices = {{"1", {}}};
    for (int a = 0; a < 10000; ++a) {
        char area[32];
        snprintf(area, sizeof area, "AREA%06d", a);
        Lookup().devices[0].listed.push_back(area);
    }
    ReadBrowser reader;
    reader.m_strDevice = "1";
    reader.m_strArea = "AREA000000";
    reader.DoModal();
    printf("a screen reader's reading of 10,000 areas: %ld children, %ld described, %.1f ms\n",
           reader.children, reader.described, reader.ms);
    return 0;
}
