#include "access/list_access.h"

long ListAccess::CountChildren()
{
    const long count = Send(LB_GETCOUNT);
    return count > 0 ? count : 0;
}

void ListAccess::ListChildren(long skip, ULONG wanted, std::vector<long>& ids)
{
    const long count = CountChildren();
    for (long id = skip + 1; id <= count && ids.size() < wanted; ++id)
        ids.push_back(id);
}

std::wstring ListAccess::ChildName(long id)
{
    const long length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(id - 1));
    if (length <= 0)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const long copied = Send(LB_GETTEXT, static_cast<WPARAM>(id - 1), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 && copied <= length ? static_cast<size_t>(copied) : 0);
    return text;
}

long ListAccess::ChildState(long id)
{
    long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (Send(LB_GETCURSEL) == id - 1)
        state |= STATE_SYSTEM_SELECTED;
    if (GetFocus() == Control() && Send(LB_GETCARETINDEX) == id - 1)
        state |= STATE_SYSTEM_FOCUSED;
    RECT rect = {};
    if (!ChildRect(id, rect))
        state |= STATE_SYSTEM_OFFSCREEN;
    return state;
}

bool ListAccess::ChildRect(long id, RECT& screen)
{
    RECT rect = {}, client = {}, shown = {};
    if (Send(LB_GETITEMRECT, static_cast<WPARAM>(id - 1), reinterpret_cast<LPARAM>(&rect)) == LB_ERR)
        return false;
    GetClientRect(Control(), &client);
    if (!IntersectRect(&shown, &rect, &client))
        return false;
    MapWindowPoints(Control(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
    screen = rect;
    return true;
}

long ListAccess::NavigateFrom(long id, long direction)
{
    const long count = CountChildren();
    long to = 0;
    if (id == 0)
        to = direction == NAVDIR_FIRSTCHILD ? 1 : direction == NAVDIR_LASTCHILD ? count : 0;
    else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN)
        to = id + 1;
    else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP)
        to = id - 1;
    return to >= 1 && to <= count ? to : 0;
}

long ListAccess::ChildAt(POINT at)
{
    const long hit = Send(LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y));
    return HIWORD(hit) ? 0 : LOWORD(hit) + 1;
}

long ListAccess::FocusedChild()
{
    const long caret = Send(LB_GETCARETINDEX);
    return caret >= 0 && caret < CountChildren() ? caret + 1 : 0;
}

long ListAccess::SelectedChild()
{
    const long selected = Send(LB_GETCURSEL);
    return selected >= 0 ? selected + 1 : 0;
}

bool ListAccess::SelectChild(long flags, long id)
{
    // Only the selection moves: the list's own notification, which takes an entry out, is the
    // user's alone.
    if (flags & SELFLAG_TAKESELECTION)
        Send(LB_SETCURSEL, static_cast<WPARAM>(id - 1));
    return true;
}
