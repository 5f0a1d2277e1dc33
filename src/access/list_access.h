// The selection list to a screen reader: its entries as list items, numbered from 1 in the list's
// order, each with its text as name.
#pragma once

#include "access/control_access.h"

class ListAccess : public ControlAccess {
public:
    ~ListAccess() override { Detach(); }

protected:
    long Role() const override { return ROLE_SYSTEM_LIST; }
    long CountChildren() override;
    void ListChildren(long skip, ULONG wanted, std::vector<long>& ids) override;
    bool IsChild(long id) override { return id >= 1 && id <= CountChildren(); }
    std::wstring ChildName(long id) override;
    long ChildRole(long) override { return ROLE_SYSTEM_LISTITEM; }
    long ChildState(long id) override;
    bool ChildRect(long id, RECT& screen) override;
    long NavigateFrom(long id, long direction) override;
    long ChildAt(POINT client) override;
    long FocusedChild() override;
    long SelectedChild() override;
    bool SelectChild(long flags, long id) override;

private:
    long Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return static_cast<long>(SendMessageW(Control(), message, wParam, lParam));
    }
};
