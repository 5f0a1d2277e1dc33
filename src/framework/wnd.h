// CWnd: a window is its handle. Attaching is an assignment and the destructor destroys nothing,
// so a CWnd can wrap a window that belongs to someone else (the host's, a dialog's control).
#pragma once

#include "framework/cstring.h"

#include <windows.h>

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    BOOL Attach(HWND hWnd) { m_hWnd = hWnd; return hWnd != nullptr; }
    HWND Detach() { HWND hWnd = m_hWnd; m_hWnd = nullptr; return hWnd; }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }

    HWND m_hWnd = nullptr;
};
