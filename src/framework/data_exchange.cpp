#include "framework/data_exchange.h"

#include "../../res/resource.h"
#include "framework/message_box.h"

#include <string>

HWND CDataExchange::PrepareCtrl(int id)
{
    m_hWndLastControl = m_pDlgWnd->GetDlgItem(id);
    return m_hWndLastControl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl)
        ::SetFocus(m_hWndLastControl);
    m_bFailed = true;
}

void DDX_Text(CDataExchange* pDX, int id, CString& value)
{
    if (pDX->Failed())
        return;
    HWND control = pDX->PrepareCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        ::SetWindowTextA(control, value);
        return;
    }
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(control)) + 1, '\0');
    const int length = ::GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    value = CString(text.data(), length);
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->Failed())
        return;
    if (!pDX->m_bSaveAndValidate) {
        ::SendMessageA(pDX->LastControl(), EM_LIMITTEXT, nChars, 0);
        return;
    }
    if (value.GetLength() > nChars) {
        // The text is a resource, so a resource library may translate it; %1 is the limit.
        CString text;
        text.LoadString(AFX_IDP_PARSE_STRING_SIZE);
        std::string prompt = text.GetString();
        if (const size_t at = prompt.find("%1"); at != std::string::npos)
            prompt.replace(at, 2, std::to_string(nChars));
        AfxMessageBox(prompt.c_str(), MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (pDX->Failed())
        return;
    if (!control.m_hWnd)
        control.Attach(pDX->PrepareCtrl(id));
}
