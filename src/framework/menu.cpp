#include "framework/menu.h"

#include "framework/resources.h"

BOOL CMenu::LoadMenu(UINT id)
{
    DestroyMenu();
    const LPCSTR name = MAKEINTRESOURCEA(id);
    m_hMenu = ::LoadMenuA(AfxFindResourceHandle(name, RT_MENU), name);
    return m_hMenu != nullptr;
}

BOOL CMenu::DestroyMenu()
{
    const BOOL destroyed = m_hMenu && ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    return destroyed;
}
