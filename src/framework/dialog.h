// CDialog: a modal dialog on a template, driven by a message map: a static table of
// {message, notification code, control id, handler}, scanned in order.
#pragma once

#include "framework/module_state.h"
#include "framework/wnd.h"

#include <commctrl.h>

#include <span>

class CDialog;
class CDataExchange;

struct AFX_MSGMAP_ENTRY {
    enum Kind { Command, Notify, Message, Default };
    UINT message;  // WM_COMMAND, WM_NOTIFY or another message to the dialog
    UINT code;     // notification code; 0 for other messages
    UINT id;       // control id; 0 for messages to the dialog itself
    Kind kind;
    void (CDialog::*command)();
    void (CDialog::*notify)(NMHDR*, LRESULT*);
    BOOL (CDialog::*window)(WPARAM, LPARAM);  // FALSE leaves the message to the default handling
};

// Entries of a message map. A notify handler writes the notification result through its LRESULT*.
template <typename Dialog>
constexpr AFX_MSGMAP_ENTRY OnCommand(UINT id, UINT code, void (Dialog::*handler)())
{
    return {WM_COMMAND, code, id, AFX_MSGMAP_ENTRY::Command,
            static_cast<void (CDialog::*)()>(handler), nullptr, nullptr};
}
template <typename Dialog>
constexpr AFX_MSGMAP_ENTRY OnNotify(UINT id, UINT code, void (Dialog::*handler)(NMHDR*, LRESULT*))
{
    return {WM_NOTIFY, code, id, AFX_MSGMAP_ENTRY::Notify, nullptr,
            static_cast<void (CDialog::*)(NMHDR*, LRESULT*)>(handler), nullptr};
}
// Another message to the dialog, with its parameters.
template <typename Dialog>
constexpr AFX_MSGMAP_ENTRY OnWindowMessage(UINT message, BOOL (Dialog::*handler)(WPARAM, LPARAM))
{
    return {message, 0, 0, AFX_MSGMAP_ENTRY::Message, nullptr, nullptr,
            static_cast<BOOL (CDialog::*)(WPARAM, LPARAM)>(handler)};
}
// A message that the dialog manager's default handling answers.
constexpr AFX_MSGMAP_ENTRY OnDefault(UINT message)
{
    return {message, 0, 0, AFX_MSGMAP_ENTRY::Default, nullptr, nullptr, nullptr};
}

class CDialog : public CWnd {
public:
    // The template is looked up by number along the resource chain when the dialog runs.
    explicit CDialog(UINT nIDTemplate = 0, CWnd* pParentWnd = nullptr)
        : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
    {
    }

    // Binds the dialog to a loaded template instead of its number; a null template makes
    // DoModal fail with -1.
    BOOL InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = nullptr);

    // IDOK, IDCANCEL, or -1 when the dialog cannot be created.
    virtual INT_PTR DoModal();

    void EndDialog(int result) { ::EndDialog(m_hWnd, result); }
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

protected:
    virtual std::span<const AFX_MSGMAP_ENTRY> GetMessageMap() const { return {}; }
    virtual void DoDataExchange(CDataExchange*) {}
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_nIDTemplate;
    HGLOBAL m_hDialogTemplate = nullptr;
    bool m_bIndirect = false;
    CWnd* m_pParentWnd;
    AFX_MODULE_STATE* m_pModuleState = nullptr;  // current while the dialog handles a message
};
