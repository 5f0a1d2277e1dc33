#include "framework/dialog.h"

#include "framework/data_exchange.h"
#include "base/no_throw.h"
#include "framework/resources.h"

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    m_hDialogTemplate = hDialogTemplate;
    m_bIndirect = true;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

INT_PTR CDialog::DoModal()
{
    static const INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    m_pModuleState = AfxGetModuleState();
    HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    INT_PTR result = -1;
    if (m_bIndirect) {
        if (auto* dialogTemplate = static_cast<LPCDLGTEMPLATEA>(LockResource(m_hDialogTemplate)))
            result = DialogBoxIndirectParamA(AfxGetInstanceHandle(), dialogTemplate, parent,
                                             DialogProc, self);
    } else {
        const LPCSTR name = MAKEINTRESOURCEA(m_nIDTemplate);
        result = DialogBoxParamA(AfxFindResourceHandle(name, RT_DIALOG), name, parent, DialogProc,
                                 self);
    }
    m_hWnd = nullptr;  // the window is gone
    return result;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.Failed();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        reinterpret_cast<CDialog*>(lParam)->m_hWnd = hWnd;
    }
    auto* self = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hWnd, DWLP_USER));
    if (!self)
        return FALSE;
    AFX_MAINTAIN_STATE2 state(self->m_pModuleState);
    // A failed initialization leaves the dialog with what it had built so far.
    return NoThrow([&] { return self->OnMessage(message, wParam, lParam); }, INT_PTR(FALSE));
}

INT_PTR CDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return OnInitDialog();

    UINT code = 0, id = 0;
    if (message == WM_COMMAND) {
        code = HIWORD(wParam);
        id = LOWORD(wParam);
    } else if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        code = header->code;
        id = static_cast<UINT>(header->idFrom);
    }
    for (const AFX_MSGMAP_ENTRY& entry : GetMessageMap()) {
        if (entry.message != message || entry.code != code || entry.id != id)
            continue;
        switch (entry.kind) {
        case AFX_MSGMAP_ENTRY::Command:
            (this->*entry.command)();
            return TRUE;
        case AFX_MSGMAP_ENTRY::Notify: {
            LRESULT result = 0;
            (this->*entry.notify)(reinterpret_cast<NMHDR*>(lParam), &result);
            SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);  // the one place it is written
            return TRUE;
        }
        case AFX_MSGMAP_ENTRY::Message:
            return (this->*entry.window)(wParam, lParam);
        case AFX_MSGMAP_ENTRY::Default:
            return FALSE;
        }
    }
    if (message == WM_COMMAND && code == BN_CLICKED && id == IDOK) {
        OnOK();
        return TRUE;
    }
    if (message == WM_COMMAND && code == BN_CLICKED && id == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}
