// The sub-folder dialog on its real template: the name rule with its message, the 8-byte name,
// the description, the title, Cancel and Esc, and a missing template.
#include "resource.h"
#include "subfolder/category_dlg.h"
#include "support/fixtures/deployment.h"
#include "support/drivers/dialog_driver.h"
#include "support/drivers/dialog_template.h"

#include <gtest/gtest.h>

namespace {

const char kRule[] =
    "Invalid subfolder name. The name must 8 character or less\nand can contain the folllowing "
    "characters:\n\tA thru Z, 0 thru 9, - and _";
const char kTooLong[] = "Please enter no more than 8 characters.";

struct Outcome {
    INT_PTR result = 0;
    CString name, description;
    std::vector<std::string> messages;
};

std::string Text(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void Type(HWND edit, const std::string& text)
{
    SetFocus(edit);
    for (char c : text)
        SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

Outcome RunDialog(const char* name, const char* description, const std::function<void(HWND)>& steps,
            const char* caption = "Sub")
{
    Outcome outcome;
    CCategoryDlg dialog(nullptr);
    dialog.m_strCaption = caption;
    dialog.m_strName = name;
    dialog.m_strDescription = description;
    DialogDriver driver(steps);
    outcome.result = dialog.DoModal();
    outcome.name = dialog.m_strName;
    outcome.description = dialog.m_strDescription;
    outcome.messages = driver.Messages();
    EXPECT_TRUE(driver.Ran());
    return outcome;
}

HWND NameEdit(HWND dialog) { return GetDlgItem(dialog, IDC_SUBFOLDER_NAME); }
HWND DescriptionEdit(HWND dialog) { return GetDlgItem(dialog, IDC_SUBFOLDER_DESCRIPTION); }

TEST(SubFolderDialog, OpensWithTheCallersTitleAndTheFocusInTheName)
{
    std::string title, name;
    bool focused = false;
    RunDialog("CAT1", "words", [&](HWND d) {
        title = Text(d);
        name = Text(NameEdit(d));
        focused = GetFocus() == NameEdit(d);
    });
    EXPECT_EQ(title, "Sub");
    EXPECT_EQ(name, "CAT1");
    EXPECT_TRUE(focused);
    RunDialog("", "", [&](HWND d) { title = Text(d); }, "");
    EXPECT_EQ(title, "") << "an empty caption replaces the template's title";
}

TEST(SubFolderDialog, AnEmptyNameOrOneThatBreaksTheRuleIsRefusedWithTheRuleMessage)
{
    std::vector<std::string> kept;
    bool open = true;
    const Outcome outcome = RunDialog("", "", [&](HWND d) {
        for (const char* name : {"", "A B", "A.B", "A/B", "A\\B"}) {
            SetWindowTextA(NameEdit(d), name);
            ClickButton(d, IDOK);
            open = open && IsWindowVisible(d);
            kept.push_back(Text(NameEdit(d)));
        }
        ClickButton(d, IDCANCEL);
    });
    EXPECT_TRUE(open) << "the dialog stays open";
    EXPECT_EQ(kept, (std::vector<std::string>{"", "A B", "A.B", "A/B", "A\\B"}));
    EXPECT_EQ(outcome.messages, std::vector<std::string>(5, kRule));
    EXPECT_EQ(outcome.result, IDCANCEL);
}

TEST(SubFolderDialog, AGoodNameIsAcceptedWithItsDescription)
{
    const Outcome outcome = RunDialog("", "", [](HWND d) {
        SetWindowTextA(NameEdit(d), "AB-12_x");
        SetWindowTextA(DescriptionEdit(d), "  any text: / \\ . # ; , \"quoted\"");
        ClickButton(d, IDOK);
    });
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.name, "AB-12_x");  // lower case passes, whatever the message says
    EXPECT_EQ(outcome.description, "  any text: / \\ . # ; , \"quoted\"");
    EXPECT_TRUE(outcome.messages.empty());
}

TEST(SubFolderDialog, TheNameEditTakesEightBytesAndTheDescription255)
{
    std::string name, description;
    const Outcome outcome = RunDialog("", "", [&](HWND d) {
        Type(NameEdit(d), "ABCDEFGHI");
        Type(DescriptionEdit(d), std::string(300, 'x'));
        name = Text(NameEdit(d));
        description = Text(DescriptionEdit(d));
        ClickButton(d, IDOK);
    });
    EXPECT_EQ(name, "ABCDEFGH");
    EXPECT_EQ(description.size(), 255u);
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.name, "ABCDEFGH");
}

TEST(SubFolderDialog, ALongerNameFromTheCallerIsShownWholeAndRefusedUntilShortened)
{
    std::string shown;
    bool open = false, focused = false;
    const Outcome outcome = RunDialog("ABCDEFGHIJ", "kept", [&](HWND d) {
        shown = Text(NameEdit(d));
        ClickButton(d, IDOK);
        open = IsWindowVisible(d);
        focused = GetFocus() == NameEdit(d);
        SetWindowTextA(NameEdit(d), "ABCDEFGH");
        ClickButton(d, IDOK);
    });
    EXPECT_EQ(shown, "ABCDEFGHIJ");
    EXPECT_TRUE(open);
    EXPECT_TRUE(focused) << "the length check puts the focus back in the name";
    // Told by the exchange in OK's first step and again by the closing exchange; never the rule.
    EXPECT_EQ(outcome.messages, (std::vector<std::string>{kTooLong, kTooLong}));
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.name, "ABCDEFGH");
    EXPECT_EQ(outcome.description, "kept");
}

TEST(SubFolderDialog, TheGermanLibraryGivesTheLengthMessageInGerman)
{
    HMODULE german = LoadLibraryExA((BinFolder() + "\\lang\\de\\vorlanxres.dll").c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(german);
    AFX_MODULE_STATE state = *AfxGetModuleState();
    state.m_hCurrentResourceHandle = german;
    {
        AFX_MAINTAIN_STATE2 scope(&state);
        const Outcome outcome = RunDialog("ABCDEFGHIJ", "", [](HWND d) {
            ClickButton(d, IDOK);
            ClickButton(d, IDCANCEL);
        });
        // Once from OK's own exchange, once from the closing one.
        EXPECT_EQ(outcome.messages,
                  std::vector<std::string>(2, "Bitte geben Sie nicht mehr als 8 Zeichen ein."));
    }
    FreeLibrary(german);
}

TEST(SubFolderDialog, CancelAndEscLeaveTheFieldsAsTheyWere)
{
    Outcome outcome = RunDialog("CAT", "old", [](HWND d) {
        SetWindowTextA(NameEdit(d), "OTHER");
        ClickButton(d, IDCANCEL);
    });
    EXPECT_EQ(outcome.result, IDCANCEL);
    EXPECT_EQ(outcome.name, "CAT");

    bool closedByEsc = false;
    outcome = RunDialog("CAT", "old", [&](HWND d) {
        // Esc as the modal loop hands it to the dialog manager.
        MSG key = {NameEdit(d), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
        IsDialogMessageA(d, &key);
        closedByEsc = !IsWindowVisible(d);
    });
    EXPECT_TRUE(closedByEsc);
    EXPECT_EQ(outcome.result, IDCANCEL);
    EXPECT_EQ(outcome.description, "old");
}

TEST(SubFolderDialog, WithoutItsTemplateTheDialogCannotRun)
{
    AFX_MODULE_STATE elsewhere;  // resources from a module that has no template 113
    elsewhere.m_hCurrentInstanceHandle = elsewhere.m_hCurrentResourceHandle =
        GetModuleHandleA("kernel32.dll");
    AFX_MAINTAIN_STATE2 state(&elsewhere);
    CCategoryDlg dialog(nullptr);
    DialogDriver driver([](HWND) {});
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_FALSE(driver.Ran());
}

TEST(SubFolderDialog, TheTemplatesAreExactlyDialog113InBothLanguages)
{
    HMODULE library = LoadLibraryExA((BinFolder() + "\\vorlanx.dll").c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE);
    HMODULE german = LoadLibraryExA((BinFolder() + "\\lang\\de\\vorlanxres.dll").c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(library && german);
    const DialogTemplate t = ReadDialogTemplate(library, IDD_SUBFOLDER);
    ASSERT_TRUE(t.found);
    EXPECT_EQ(t.title, "New SubFolder");
    EXPECT_EQ(t.style, DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ((std::vector<short>{t.cx, t.cy}), (std::vector<short>{194, 90}));
    EXPECT_EQ(t.font, "MS Shell Dlg");
    EXPECT_EQ(t.pointSize, 8);
    ExpectControls(t, {
        {IDC_SUBFOLDER_NAME, "Edit", "", 92, 21, 78, 14, ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0},
        {IDC_SUBFOLDER_DESCRIPTION, "Edit", "", 92, 41, 78, 24, ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0},
        {IDOK, "Button", "OK", 27, 69, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
        {IDCANCEL, "Button", "Cancel", 114, 69, 50, 14, BS_PUSHBUTTON | WS_TABSTOP, 0},
        {-1, "Static", "Name:", 26, 25, 59, 8, SS_LEFT | WS_GROUP, 0},
        {-1, "Static", "Description:", 27, 46, 59, 8, SS_LEFT | WS_GROUP, 0},
    });

    // The German template: the same layout, its own texts.
    const DialogTemplate g = ReadDialogTemplate(german, IDD_SUBFOLDER, MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    ASSERT_TRUE(g.found);
    EXPECT_EQ(g.title, "Neuer Unterordner");
    ASSERT_EQ(g.controls.size(), t.controls.size());
    EXPECT_EQ(g.controls[3].text, "Abbrechen");
    for (size_t i = 0; i < t.controls.size(); ++i)
        EXPECT_EQ(g.controls[i].x * 1000 + g.controls[i].y, t.controls[i].x * 1000 + t.controls[i].y);
    FreeLibrary(german);
    FreeLibrary(library);
}

}  // namespace
