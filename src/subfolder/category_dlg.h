// CCategoryDlg: the small modal dialog (template 113) in which a person gives a sub-folder's
// name and description. It enforces the name rule; the caller does the rest.
#pragma once

#include "framework/dialog.h"

class CCategoryDlg : public CDialog {
public:
    // Bound to template 113 as the resource chain finds it (a resource library first), with
    // pParent as the owner. Without the template DoModal gives -1.
    explicit CCategoryDlg(CWnd* pParent);
    ~CCategoryDlg() override;

    CString m_strCaption;      // the window title, also when empty
    CString m_strName;         // at most 8 bytes once accepted
    CString m_strDescription;  // at most 255 bytes, so the category record always holds it

protected:
    std::span<const AFX_MSGMAP_ENTRY> GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};
