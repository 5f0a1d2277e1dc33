// CMenu: owns a menu loaded from the resources and destroys it with itself.
#pragma once

#include <windows.h>

class CMenu {
public:
    CMenu() = default;
    ~CMenu() { DestroyMenu(); }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    // Found along the resource chain, as dialogs and strings are.
    BOOL LoadMenu(UINT id);
    HMENU GetSubMenu(int position) const { return ::GetSubMenu(m_hMenu, position); }
    BOOL DestroyMenu();

    HMENU m_hMenu = nullptr;
};
