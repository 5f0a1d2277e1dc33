#include "access/tree_access.h"

#include "../../res/resource.h"
#include "browser/tree_image.h"

#include <cstring>
#include <string>

HTREEITEM TreeAccess::Next(HTREEITEM item, UINT code) const
{
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(Control(), TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM TreeAccess::Item(long id) const
{
    const auto found = m_items.find(id);
    return found == m_items.end() ? nullptr : found->second;
}

long TreeAccess::IdOf(HTREEITEM item)
{
    if (!item)
        return 0;
    const auto [at, added] = m_ids.emplace(item, m_nextId);
    if (added) {
        m_items.emplace(m_nextId, item);
        ++m_nextId;
    }
    return at->second;
}

void TreeAccess::Forget(HTREEITEM item)
{
    const auto found = m_ids.find(item);
    if (found == m_ids.end())
        return;
    m_items.erase(found->second);
    m_ids.erase(found);
}

void TreeAccess::Detached()
{
    m_ids.clear();
    m_items.clear();
    m_nextId = 1;
    m_tellsItself = -1;
    m_focused = false;
}

long TreeAccess::CountChildren()
{
    long count = 0;
    for (HTREEITEM h = Next(nullptr, TVGN_ROOT); h; h = Next(h, TVGN_NEXTVISIBLE)) {
        IdOf(h);  // in the order a client counting from 1 would meet them
        ++count;
    }
    return count;
}

void TreeAccess::ListChildren(long skip, ULONG wanted, std::vector<long>& ids)
{
    long index = 0;
    for (HTREEITEM h = Next(nullptr, TVGN_ROOT); h && ids.size() < wanted;
         h = Next(h, TVGN_NEXTVISIBLE), ++index)
        if (index >= skip)
            ids.push_back(IdOf(h));
}

std::wstring TreeAccess::ChildName(long id)
{
    wchar_t text[1024] = {};
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = Item(id);
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    if (!SendMessageW(Control(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return {};
    text[std::size(text) - 1] = L'\0';
    return item.pszText ? item.pszText : L"";
}

std::wstring TreeAccess::ChildValue(long id)
{
    // The level, as outline items carry it: the root 0, a device 1, an area 2, its categories on.
    long level = 0;
    for (HTREEITEM h = Next(Item(id), TVGN_PARENT); h; h = Next(h, TVGN_PARENT))
        ++level;
    return std::to_wstring(level);
}

std::wstring TreeAccess::Describe(HTREEITEM item)
{
    TVITEMW facts = {};
    facts.mask = TVIF_IMAGE | TVIF_HANDLE;
    facts.hItem = item;
    if (!item || !SendMessageW(Control(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&facts)))
        return {};
    // The image is the only record of an area's status, as it is for the selection list.
    switch (facts.iImage) {
    case kImageDevice:
        for (const auto& [device, kind] : m_deviceKinds)
            if (device == item)
                return DescribeItem(kind, AreaStatus::None);
        return DescribeItem(ItemKind::Device, AreaStatus::None);
    case kImageArea: return DescribeItem(ItemKind::Area, AreaStatus::Open);
    case kImageAreaBlocked: return DescribeItem(ItemKind::Area, AreaStatus::Blocked);
    case kImageAreaReadOnly: return DescribeItem(ItemKind::Area, AreaStatus::ReadOnly);
    case kImageAreaRestricted: return DescribeItem(ItemKind::Area, AreaStatus::Restricted);
    case kImageCategory: return DescribeItem(ItemKind::Category, AreaStatus::None);
    default: return {};
    }
}

std::wstring TreeAccess::ChildDescription(long id)
{
    return Describe(Item(id));
}

std::wstring TreeAccess::AddedDescription(long accId)
{
    // The system's object names items by the tree's own ids where the tree has them (common
    // controls 6); an older tree's 32-bit object names them by their handles.
    auto item = reinterpret_cast<HTREEITEM>(
        SendMessageW(Control(), TVM_MAPACCIDTOHTREEITEM, static_cast<WPARAM>(accId), 0));
    if (!item && sizeof(HTREEITEM) == sizeof(long))
        item = reinterpret_cast<HTREEITEM>(static_cast<INT_PTR>(accId));
    return Describe(item);
}

bool TreeAccess::Expanded(HTREEITEM item) const
{
    return (SendMessageW(Control(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item),
                         TVIS_EXPANDED) &
            TVIS_EXPANDED) != 0;
}

long TreeAccess::ChildState(long id)
{
    const HTREEITEM item = Item(id);
    long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (item == Next(nullptr, TVGN_CARET)) {
        state |= STATE_SYSTEM_SELECTED;
        if (GetFocus() == Control())
            state |= STATE_SYSTEM_FOCUSED;
    }
    if (Next(item, TVGN_CHILD))
        state |= Expanded(item) ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
    RECT rect = {};
    if (!ChildRect(id, rect))
        state |= STATE_SYSTEM_OFFSCREEN;
    return state;
}

std::wstring TreeAccess::ChildDefaultAction(long id)
{
    const HTREEITEM item = Item(id);
    if (!Next(item, TVGN_CHILD))
        return {};
    return LoadWords(Expanded(item) ? IDS_ACC_COLLAPSE : IDS_ACC_EXPAND);
}

bool TreeAccess::DoChildDefaultAction(long id)
{
    const HTREEITEM item = Item(id);
    if (!Next(item, TVGN_CHILD))
        return false;
    SendMessageW(Control(), TVM_EXPAND, TVE_TOGGLE, reinterpret_cast<LPARAM>(item));
    return true;
}

bool TreeAccess::ChildRect(long id, RECT& screen)
{
    RECT rect = {};
    const HTREEITEM item = Item(id);
    memcpy(&rect, &item, sizeof item);  // the item goes in where the rect comes out
    if (!SendMessageW(Control(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)))
        return false;
    RECT client = {};
    GetClientRect(Control(), &client);
    RECT shown = {};
    if (!IntersectRect(&shown, &rect, &client))
        return false;  // scrolled out of view
    MapWindowPoints(Control(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
    screen = rect;
    return true;
}

long TreeAccess::NavigateFrom(long id, long direction)
{
    if (id == 0) {
        if (direction == NAVDIR_FIRSTCHILD)
            return IdOf(Next(nullptr, TVGN_ROOT));
        if (direction == NAVDIR_LASTCHILD)
            return IdOf(Next(nullptr, TVGN_LASTVISIBLE));
        return 0;
    }
    switch (direction) {
    case NAVDIR_NEXT:
    case NAVDIR_DOWN: return IdOf(Next(Item(id), TVGN_NEXTVISIBLE));
    case NAVDIR_PREVIOUS:
    case NAVDIR_UP: return IdOf(Next(Item(id), TVGN_PREVIOUSVISIBLE));
    default: return 0;  // the items are the tree's children, side by side
    }
}

long TreeAccess::ChildAt(POINT at)
{
    TVHITTESTINFO hit = {};
    hit.pt = at;
    SendMessageW(Control(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    // Anywhere on an item's row is the item's, an empty label's too.
    const UINT row = TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON | TVHT_ONITEMRIGHT;
    return (hit.flags & row) && hit.hItem ? IdOf(hit.hItem) : 0;
}

bool TreeAccess::SelectChild(long flags, long id)
{
    if (flags & (SELFLAG_TAKESELECTION | SELFLAG_TAKEFOCUS))
        SendMessageW(Control(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Item(id)));
    return true;
}
