#include "category_dlg.h"

#include "../../res/resource.h"
#include "external/category_data.h"
#include "framework/data_exchange.h"
#include "framework/message_box.h"
#include "framework/resources.h"
#include "subfolder/name_rule.h"

namespace {

// So that the category record always holds the description with its terminator.
constexpr int kDescriptionMaxBytes = sizeof CCategoryData::description - 1;

}  // namespace

CCategoryDlg::CCategoryDlg(CWnd* pParent)
{
    const LPCSTR name = MAKEINTRESOURCEA(IDD_SUBFOLDER);
    HINSTANCE module = AfxFindResourceHandle(name, RT_DIALOG);
    HRSRC resource = FindResourceA(module, name, RT_DIALOG);
    InitModalIndirect(resource ? LoadResource(module, resource) : nullptr, pParent);
}

CCategoryDlg::~CCategoryDlg() = default;

std::span<const AFX_MSGMAP_ENTRY> CCategoryDlg::GetMessageMap() const
{
    static const AFX_MSGMAP_ENTRY map[] = {
        OnCommand(IDOK, BN_CLICKED, &CCategoryDlg::OnOK),
    };
    return map;
}

void CCategoryDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_SUBFOLDER_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, kSubFolderNameMaxBytes);
    DDX_Text(pDX, IDC_SUBFOLDER_DESCRIPTION, m_strDescription);
    DDV_MaxChars(pDX, m_strDescription, kDescriptionMaxBytes);
}

BOOL CCategoryDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (HWND name = GetDlgItem(IDC_SUBFOLDER_NAME))
        ::SendMessageA(name, WM_SETFOCUS, 0, 0);
    SetWindowText(m_strCaption);
    return FALSE;  // the focus stays where it was put
}

void CCategoryDlg::OnOK()
{
    UpdateData(TRUE);  // an over-long name has been told; CDialog::OnOK refuses it again
    if (!IsValidSubFolderName(m_strName, m_strName.GetLength()) || m_strName.IsEmpty()) {
        AfxMessageBox(IDS_SUBFOLDER_NAME_RULE, MB_OK);
        return;
    }
    CDialog::OnOK();
}
