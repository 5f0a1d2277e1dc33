// The browser's tree to a screen reader: its visible items (those whose parents are all expanded)
// as the children of its object, in the order the arrows walk them, each with its text as name,
// the outline item role, its level as value, its state, and its kind and status in words as
// description. Each item keeps one child id for its life; the ids are handed out in the order
// the items are met, so a client that counts from 1 on a fresh tree meets them in order too.
#pragma once

#include "access/control_access.h"
#include "access/words.h"

#include <commctrl.h>

#include <unordered_map>
#include <utility>

class TreeAccess : public ControlAccess {
public:
    ~TreeAccess() override { Detach(); }

    // The devices whose kind their text does not tell, as the tree is built.
    void SetDeviceKind(HTREEITEM device, ItemKind kind) { m_deviceKinds.emplace_back(device, kind); }
    void ClearDeviceKinds() { m_deviceKinds.clear(); }
    // The caret moved (TVN_SELCHANGED): where the tree does not tell a screen reader itself, the
    // focus and the selection events name the new item.
    void CaretMoved(HTREEITEM item);
    // An item leaves the tree (TVN_DELETEITEM): its id names nothing from now on.
    void Forget(HTREEITEM item);

protected:
    long Role() const override { return ROLE_SYSTEM_OUTLINE; }
    long CountChildren() override;
    void ListChildren(long skip, ULONG wanted, std::vector<long>& ids) override;
    bool IsChild(long id) override { return Item(id) != nullptr; }
    std::wstring ChildName(long id) override;
    std::wstring ChildValue(long id) override;
    std::wstring ChildDescription(long id) override;
    long ChildRole(long) override { return ROLE_SYSTEM_OUTLINEITEM; }
    long ChildState(long id) override;
    std::wstring ChildDefaultAction(long id) override;
    bool DoChildDefaultAction(long id) override;
    bool ChildRect(long id, RECT& screen) override;
    long NavigateFrom(long id, long direction) override;
    long ChildAt(POINT client) override;
    long FocusedChild() override { return IdOf(Next(nullptr, TVGN_CARET)); }
    long SelectedChild() override { return IdOf(Next(nullptr, TVGN_CARET)); }
    bool SelectChild(long flags, long id) override;
    std::wstring AddedDescription(long accId) override;
    void Observe(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Detached() override;

private:
    HTREEITEM Next(HTREEITEM item, UINT code) const;
    HTREEITEM Item(long id) const;
    long IdOf(HTREEITEM item);  // 0 for none
    std::wstring Describe(HTREEITEM item);
    bool Expanded(HTREEITEM item) const;
    // Whether the tree, or the system's object of it, tells a screen reader of its caret itself.
    bool TellsItself();
    void Raise(DWORD event, HTREEITEM item);

    std::unordered_map<HTREEITEM, long> m_ids;
    std::unordered_map<long, HTREEITEM> m_items;
    long m_nextId = 1;
    std::vector<std::pair<HTREEITEM, ItemKind>> m_deviceKinds;
    int m_tellsItself = -1;  // not yet known
    bool m_focused = false;  // the tree really has the focus (not as the dialog's messages say)
};
