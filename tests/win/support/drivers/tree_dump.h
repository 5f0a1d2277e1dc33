// The tree control's contents as text: one line per item, two spaces of indent per level, the
// item's text and, after a '|', its image. Only reads the control, by messages.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

std::string DumpTree(HWND tree);
std::string ItemText(HWND tree, HTREEITEM item);
int ItemImage(HWND tree, HTREEITEM item);
bool IsExpanded(HWND tree, HTREEITEM item);
// The caret item's text, or "(none)".
std::string CaretText(HWND tree);
// The first item, in tree order, whose text is text; null if none.
HTREEITEM FindItem(HWND tree, const std::string& text);
