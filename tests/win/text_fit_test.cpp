// Every text of the browser, the sub-folder dialog and the library's messages fits its control,
// in each resource library the build makes, at the DPI of the run's Wine prefix (VORLANX_DPI),
// and the tree's icons have the small-icon size. Each language's windows go to the artifacts.
#include "browser/browse_area.h"
#include "resource.h"
#include "support/drivers/dialog_driver.h"
#include "support/drivers/input.h"
#include "support/drivers/subfolder_driver.h"
#include "support/drivers/tree_dump.h"
#include "support/fixtures/deployment.h"
#include "support/store/fake_store.h"
#include "vorlanx.h"

#include <objidl.h>  // what gdiplus.h needs that WIN32_LEAN_AND_MEAN leaves out
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <sstream>

namespace {

std::string Utf8(const wchar_t* text)
{
    char bytes[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

// The text in the control's font, laid out as the control lays it out, against the room. Wide
// text, as the control holds and draws it: Wine's DrawTextA measured some texts of other code
// pages wider than the controls draw them.
void Fit(HWND window, const wchar_t* text, HFONT font, SIZE room, UINT format,
         std::vector<std::string>& misfits)
{
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font);
    RECT need = {0, 0, room.cx, 0};
    DrawTextW(dc, text, -1, &need, format | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    if (need.right > room.cx || need.bottom > room.cy)
        misfits.push_back(Utf8(text) + ": needs " + std::to_string(need.right) + "x" +
                          std::to_string(need.bottom) + ", has " + std::to_string(room.cx) + "x" +
                          std::to_string(room.cy));
}

// The caption, and the text of every label and button.
void FitTexts(HWND window, std::vector<std::string>& misfits)
{
    wchar_t text[1024];
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT captionFont = CreateFontIndirectW(&metrics.lfCaptionFont);
    RECT frame;
    GetWindowRect(window, &frame);  // the caption: less the frames and the close button
    const SIZE caption = {frame.right - frame.left - 2 * GetSystemMetrics(SM_CXFIXEDFRAME) -
                              GetSystemMetrics(SM_CXSIZE) - 4, metrics.iCaptionHeight};
    GetWindowTextW(window, text, 1024);
    Fit(window, text, captionFont, caption, DT_SINGLELINE, misfits);
    DeleteObject(captionFont);
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[16] = {};
        GetClassNameA(c, cls, sizeof cls);
        const bool button = !lstrcmpiA(cls, "Button");
        if (!(button || !lstrcmpiA(cls, "Static")) || !GetWindowTextW(c, text, 1024))
            continue;
        RECT r;
        GetClientRect(c, &r);
        const int edge = button ? 2 : 0;  // a button's text keeps off its edges
        const SIZE room = {r.right - 2 * edge * GetSystemMetrics(SM_CXEDGE),
                           r.bottom - edge * GetSystemMetrics(SM_CYEDGE)};
        const UINT noPrefix = GetWindowLongA(c, GWL_STYLE) & SS_NOPREFIX ? DT_NOPREFIX : 0;
        const auto font = reinterpret_cast<HFONT>(SendMessageA(c, WM_GETFONT, 0, 0));
        Fit(c, text, font, room, button ? DT_SINGLELINE : DT_WORDBREAK | DT_EXPANDTABS | noPrefix,
            misfits);
    }
}

// Each window's own pixels, one below the other, kept as a PNG.
class Screenshot {
public:
    Screenshot()
    {
        BITMAPINFO bi = {};
        bi.bmiHeader = {sizeof bi.bmiHeader, kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        m_bitmap = CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &m_bits, nullptr, 0);
        SelectObject(m_dc, m_bitmap);
        PatBlt(m_dc, 0, 0, kWidth, kHeight, WHITENESS);
    }
    ~Screenshot()
    {
        DeleteDC(m_dc);
        DeleteObject(m_bitmap);
    }
    void Add(HWND window)
    {
        // A dialog's steps may start before its modal loop has shown it (the timer comes first).
        ShowWindow(window, SW_SHOWNA);
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        RECT r;
        GetWindowRect(window, &r);
        PumpMessages(100);
        // From the window's own pixels, which need not have reached the X screen yet.
        HDC dc = GetWindowDC(window);
        BitBlt(m_dc, 0, m_height, r.right - r.left, r.bottom - r.top, dc, 0, 0, SRCCOPY);
        ReleaseDC(window, dc);
        m_width = std::max<int>(m_width, r.right - r.left);
        m_height = std::min<int>(m_height + r.bottom - r.top + 8, kHeight);
        ++m_windows;
    }
    void Save(const std::wstring& path)
    {
        ULONG_PTR token;
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token, &input, nullptr);
        const CLSID png = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0, 0, 0xf8, 0x1e, 0xf3, 0x2e}};
        Gdiplus::Bitmap shot(m_width, m_height, 4 * kWidth, PixelFormat32bppRGB,
                             static_cast<BYTE*>(m_bits));
        EXPECT_EQ(shot.Save(path.c_str(), &png, nullptr), Gdiplus::Ok);
        Gdiplus::GdiplusShutdown(token);
    }
    int m_windows = 0;

private:
    static constexpr int kWidth = 2048, kHeight = 4096;
    HDC m_dc = CreateCompatibleDC(nullptr);
    HBITMAP m_bitmap = nullptr;
    void* m_bits = nullptr;
    int m_width = 0, m_height = 0;
};

class TextFit : public ::testing::TestWithParam<std::string> {};

TEST_P(TextFit, EveryTextFitsAndTheIconsHaveTheSmallIconSize)
{
    SetProcessDPIAware();
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY), size = GetSystemMetrics(SM_CXSMICON);
    ReleaseDC(nullptr, screen);
    if (const char* asked = getenv("VORLANX_DPI")) {
        ASSERT_EQ(dpi, atoi(asked)) << "the Wine prefix is not at the DPI the run asks for";
    }
    const std::string tag = GetParam();
    const std::string folder = BinFolder() + (tag == "en" ? "" : "\\lang\\" + tag);
    HMODULE library =
        LoadLibraryExA((folder + "\\vorlanxres.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(library) << tag;
    AFX_MODULE_STATE state = *AfxGetModuleState();
    state.m_hCurrentResourceHandle = library;
    AFX_MAINTAIN_STATE2 scope(&state);
    FakeStore& fake = Fake();
    fake.Reset();
    fake.devices = {"1"};
    fake.areas["1"] = {"AREA1"};
    fake.newResult = VORLANX_ERR_EXISTS;  // New tells that the sub-folder exists

    std::vector<std::string> misfits;
    Screenshot shot;
    RECT browseRect = {};
    int icons[2] = {};  // the image list's icon size
    CBrowseArea browser;
    browser.m_strDevice = "1";
    browser.m_bSubFolderEditing = 1;
    DialogDriver driver([&](HWND dialog) {
        GetWindowRect(dialog, &browseRect);
        FitTexts(dialog, misfits);
        HWND tree = GetDlgItem(dialog, IDC_AREA_TREE);
        ImageList_GetIconSize(TreeView_GetImageList(tree, TVSIL_NORMAL), &icons[0], &icons[1]);
        ClickTreeItem(tree, FindItem(tree, "AREA1"));
        shot.Add(dialog);
        RightClickTreeItem(tree, FindItem(tree, "AREA1"), kNew);
        ClickButton(dialog, IDCANCEL);
    });
    driver.ThenOnNextDialog([&](HWND dialog) {  // the sub-folder dialog
        FitTexts(dialog, misfits);
        shot.Add(dialog);
        for (const char* name : {"A B", "ABCDEFGHIJ", "NEW"}) {  // the rule, the length, exists
            SetDlgItemTextA(dialog, IDC_SUBFOLDER_NAME, name);
            ClickButton(dialog, IDOK);
        }
    });
    for (int i = 0; i < 4; ++i)  // the length is told twice
        driver.ThenOnNextDialog([&](HWND message) {
            FitTexts(message, misfits);
            shot.Add(message);
        });
    browser.DoModal();
    printf("%s at %d DPI: the browser %ldx%ld, its icons %dx%d\n", tag.c_str(), dpi,
           browseRect.right - browseRect.left, browseRect.bottom - browseRect.top, icons[0],
           icons[1]);
    EXPECT_EQ(shot.m_windows, 6) << "the browser, the sub-folder dialog and four messages";
    EXPECT_EQ(misfits, std::vector<std::string>()) << tag << " at " << dpi << " DPI";
    EXPECT_EQ(icons[0], size);
    EXPECT_EQ(icons[1], GetSystemMetrics(SM_CYSMICON));
    // Each icon holds an image of that size: none is stretched.
    HMODULE self = AfxGetInstanceHandle();
    for (int id : {IDI_ROOT, IDI_DEVICE, IDI_AREA, IDI_AREA_BLOCKED, IDI_AREA_READONLY,
                   IDI_AREA_RESTRICTED, IDI_CATEGORY}) {
        HRSRC group = FindResourceA(self, MAKEINTRESOURCEA(id), RT_GROUP_ICON);
        const int best = LookupIconIdFromDirectoryEx(
            static_cast<BYTE*>(LockResource(LoadResource(self, group))), TRUE, size, size, 0);
        HRSRC image = FindResourceA(self, MAKEINTRESOURCEA(best), RT_ICON);
        ASSERT_TRUE(image) << "icon " << id;
        const auto* header =
            static_cast<BITMAPINFOHEADER*>(LockResource(LoadResource(self, image)));
        EXPECT_EQ(header->biWidth, size) << "icon " << id;
    }
    CreateDirectoryA((TestsFolder() + "\\..\\artifacts").c_str(), nullptr);
    std::wstringstream path;
    path << (TestsFolder() + "\\..\\artifacts\\text-fit-").c_str() << dpi << L"-"
         << tag.c_str() << L".png";
    shot.Save(path.str());
    FreeLibrary(library);
}

std::vector<std::string> Languages()
{
    std::istringstream list(VORLANX_LANGUAGES);
    return {std::istream_iterator<std::string>(list), std::istream_iterator<std::string>()};
}

INSTANTIATE_TEST_SUITE_P(Languages, TextFit, ::testing::ValuesIn(Languages()),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
