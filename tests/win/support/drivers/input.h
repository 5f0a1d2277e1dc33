// Real input to the dialog's controls, as the mouse and keyboard deliver it: the controls react
// exactly as they do to a person (a click on a tree item makes the tree itself raise
// TVN_SELCHANGING with TVC_BYMOUSE).
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

// A left click at a point of the window's client area.
void Click(HWND window, POINT point);
// A left click on the item's text.
void ClickTreeItem(HWND tree, HTREEITEM item);
// A right click on the item's text; keys posted before it are read by whatever the click opens
// (such as a popup menu).
void RightClickTreeItem(HWND tree, HTREEITEM item, const std::vector<UINT>& keysAfter = {});
// A left click on the item's expand button (the + or -).
void ClickTreeButton(HWND tree, HTREEITEM item);
// A left click on the list box entry.
void ClickListEntry(HWND list, int index);
// A key pressed and released while the window has the focus.
void PressKey(HWND window, UINT key);

std::vector<std::string> ListEntries(HWND list);
