// Data exchange between a dialog's controls and its members. A failed validation shows its
// message, focuses the control and stops the exchange (Fail): every exchange after it does
// nothing. No exception: a throw would start the runtime's thread support in a library that a
// host may load and free many times.
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
    HWND LastControl() const { return m_hWndLastControl; }
    // Focuses the last prepared control and ends the exchange; UpdateData returns FALSE.
    void Fail();
    bool Failed() const { return m_bFailed; }

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

private:
    HWND m_hWndLastControl = nullptr;
    bool m_bFailed = false;
};

// Binds a control member to the dialog's control id, once.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// The control's text to value (saving) or value to the control (loading).
void DDX_Text(CDataExchange* pDX, int id, CString& value);
// Loading: the control last exchanged takes at most nChars bytes. Saving: a longer value is
// refused with the framework's message, and the exchange stops.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
