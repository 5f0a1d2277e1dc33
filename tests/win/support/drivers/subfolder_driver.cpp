#include "subfolder_driver.h"

#include "browser/browse_area.h"
#include "dialog_driver.h"
#include "input.h"
#include "resource.h"
#include "tree_dump.h"

#include <gtest/gtest.h>

const std::vector<UINT> kNew = {VK_DOWN, VK_RETURN};
const std::vector<UINT> kEdit = {VK_DOWN, VK_DOWN, VK_RETURN};
const std::vector<UINT> kDelete = {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN};
const std::vector<UINT> kDismiss = {VK_ESCAPE};

namespace {

// Counts the menu loops that ran on this thread.
int g_menuLoops = 0;
LRESULT CALLBACK MenuFilter(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_MENU)
        ++g_menuLoops;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

Outcome RightClick(const std::string& caret, const std::string& target, const std::vector<UINT>& keys,
                   const std::function<void(HWND)>& dialogSteps, bool menuOn)
{
    Outcome outcome;
    CBrowseArea browser;
    browser.m_strDevice = "1";
    browser.m_bSingleSelection = 1;
    browser.m_bSubFolderEditing = menuOn;
    HHOOK filter = SetWindowsHookExA(WH_MSGFILTER, MenuFilter, nullptr, GetCurrentThreadId());
    g_menuLoops = 0;
    DialogDriver driver([&](HWND dialog) {
        HWND tree = GetDlgItem(dialog, IDC_AREA_TREE);
        ClickTreeItem(tree, FindItem(tree, caret));
        outcome.before = DumpTree(tree);
        RightClickTreeItem(tree, FindItem(tree, target), keys);
        outcome.after = DumpTree(tree);
        ClickButton(dialog, IDCANCEL);
    });
    driver.ThenOnNextDialog([&](HWND dialog) {
        char text[300] = {};
        outcome.dialogShown = true;
        GetWindowTextA(dialog, text, sizeof text);
        outcome.dialogTitle = text;
        GetDlgItemTextA(dialog, IDC_SUBFOLDER_NAME, text, sizeof text);
        outcome.dialogName = text;
        GetDlgItemTextA(dialog, IDC_SUBFOLDER_DESCRIPTION, text, sizeof text);
        outcome.dialogDescription = text;
        if (dialogSteps)
            dialogSteps(dialog);
    });
    browser.DoModal();
    UnhookWindowsHookEx(filter);
    EXPECT_TRUE(driver.Ran());
    outcome.messages = driver.Messages();
    outcome.menuShown = g_menuLoops > 0;
    return outcome;
}

std::function<void(HWND)> Enter(const char* name, const char* description)
{
    return [=](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_SUBFOLDER_NAME, name);
        SetDlgItemTextA(dialog, IDC_SUBFOLDER_DESCRIPTION, description);
        ClickButton(dialog, IDOK);
    };
}

std::string OpenedTree()
{
    std::string tree;
    CBrowseArea browser;
    browser.m_strDevice = "1";
    DialogDriver driver([&](HWND dialog) { tree = DumpTree(GetDlgItem(dialog, IDC_AREA_TREE)); });
    browser.DoModal();
    return tree;
}
