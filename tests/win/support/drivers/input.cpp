#include "input.h"

#include "dialog_driver.h"

#include <algorithm>

namespace {

RECT ItemRect(HWND tree, HTREEITEM item, BOOL textOnly)
{
    SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    RECT rect = {};
    *reinterpret_cast<HTREEITEM*>(&rect) = item;
    SendMessageA(tree, TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

}  // namespace

void Click(HWND window, POINT point)
{
    const LPARAM at = MAKELPARAM(point.x, point.y);
    // The button comes up before it goes down: a control that tracks the mouse after the press
    // finds the release already waiting.
    PostMessageA(window, WM_LBUTTONUP, 0, at);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PumpMessages(10);
}

namespace {

// A point on the item's row, from fromX leftwards, where the tree's hit test finds flags on the
// item; the row's middle at fromX when there is none.
POINT PointOnItem(HWND tree, HTREEITEM item, LONG fromX, UINT flags)
{
    const RECT r = ItemRect(tree, item, TRUE);
    TVHITTESTINFO hit = {};
    hit.pt.y = (r.top + r.bottom) / 2;
    for (hit.pt.x = r.left + fromX; hit.pt.x >= 0; --hit.pt.x) {
        SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.hItem == item && (hit.flags & flags))
            return hit.pt;
    }
    return {r.left + fromX, hit.pt.y};
}

// Near the start of the label, which may run past the control's edge; on the icon when the
// label is empty.
POINT PointOnLabel(HWND tree, HTREEITEM item)
{
    const RECT r = ItemRect(tree, item, TRUE);
    return PointOnItem(tree, item, std::min(8L, (r.right - r.left) / 2), TVHT_ONITEM);
}

}  // namespace

void ClickTreeItem(HWND tree, HTREEITEM item)
{
    Click(tree, PointOnLabel(tree, item));
}

void RightClickTreeItem(HWND tree, HTREEITEM item, const std::vector<UINT>& keysAfter)
{
    const POINT point = PointOnLabel(tree, item);
    const LPARAM at = MAKELPARAM(point.x, point.y);
    // The release first, then the keys: the tree tracks the mouse until the release, and the
    // menu it opens afterwards reads the keys.
    PostMessageA(tree, WM_RBUTTONUP, 0, at);
    for (UINT key : keysAfter) {
        PostMessageA(tree, WM_KEYDOWN, key, 1);
        PostMessageA(tree, WM_KEYUP, key, 0xC0000001);
    }
    SendMessageA(tree, WM_RBUTTONDOWN, MK_RBUTTON, at);
    PumpMessages(10);
}

void ClickTreeButton(HWND tree, HTREEITEM item)
{
    Click(tree, PointOnItem(tree, item, -1, TVHT_ONITEMBUTTON));
}

void ClickListEntry(HWND list, int index)
{
    RECT r = {};
    SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    Click(list, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void PressKey(HWND window, UINT key)
{
    SetFocus(window);
    SendMessageA(window, WM_KEYDOWN, key, 1);
    SendMessageA(window, WM_KEYUP, key, 0xC0000001);
    PumpMessages(10);
}

std::vector<std::string> ListEntries(HWND list)
{
    std::vector<std::string> entries;
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::vector<char> buffer(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1);
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
        entries.emplace_back(buffer.data());
    }
    return entries;
}
