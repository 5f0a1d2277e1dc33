// Data exchange between a dialog's controls and its members. A failed validation shows its
// message, focuses the control and stops the exchange (Fail).
#pragma once

#include "framework/wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
    {
    }

    // Remembers the control that the next validation concerns.
    HWND PrepareCtrl(int id);
    // Focuses the last prepared control and ends the exchange; UpdateData returns FALSE.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

private:
    HWND m_hWndLastControl = nullptr;
};

// Binds a control member to the dialog's control id, once.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
