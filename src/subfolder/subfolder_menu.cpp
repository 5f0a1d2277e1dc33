#include "subfolder/subfolder_menu.h"

#include "../../res/resource.h"
#include "browser/tree_image.h"
#include "external/category_fields.h"
#include "external/talmor.h"
#include "framework/message_box.h"
#include "vorlanx.h"

CSubFolderMenu::CSubFolderMenu(CDialog& browser, CTreeCtrl& tree)
    : m_browser(browser), m_tree(tree), m_dialog(&browser)
{
    m_menu.LoadMenu(IDR_SUBFOLDER_MENU);
    m_hPopup = m_menu.GetSubMenu(0);
}

CString CSubFolderMenu::AreaOf(const CString& path)
{
    const int slash = path.Find('/');
    return slash >= 0 ? path.Mid(2, slash - 2) : path.Mid(2);
}

void CSubFolderMenu::Run(const CString& path, const CString& category, const POINT* at)
{
    const Place place = {path.Left(1), AreaOf(path), category, m_tree.GetSelectedItem()};
    const bool hasStorePath = CaretHasStorePath();
    const UINT command = Track(at);
    if (!hasStorePath)
        return;  // nothing to act on
    if (command == ID_SUBFOLDER_NEW)
        New(place);
    else if (command == ID_SUBFOLDER_EDIT)
        Edit(place);
    else if (command == ID_SUBFOLDER_DELETE)
        Delete(place);
}

// The commands act on the caret item. They do nothing for the root, with no caret, or below a
// device whose text is not one character and ':' (A:FLOPPY, 12:): the paths cannot name a
// store location there.
bool CSubFolderMenu::CaretHasStorePath() const
{
    const HTREEITEM hRoot = m_tree.GetRootItem();
    HTREEITEM h = m_tree.GetSelectedItem();
    if (!h || h == hRoot)
        return false;
    while (m_tree.GetParentItem(h) && m_tree.GetParentItem(h) != hRoot)
        h = m_tree.GetParentItem(h);
    const CString device = m_tree.GetItemText(h);
    return device.GetLength() == 2 && device[1] == ':';
}

UINT CSubFolderMenu::Track(const POINT* at)
{
    POINT point = {0, 0};
    if (at)
        point = *at;
    else
        GetCursorPos(&point);
    if (!m_hPopup)
        return 0;
    const UINT command = TrackPopupMenu(m_hPopup, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x,
                                        point.y, 0, m_browser.m_hWnd, nullptr);
    if (command) {  // the dialog's title is the command as the menu names it
        char title[128] = {};
        GetMenuStringA(m_hPopup, command, title, sizeof title, MF_BYCOMMAND);
        m_dialog.m_strCaption = title;
    }
    return command;
}

void CSubFolderMenu::New(const Place& place)
{
    if (m_dialog.DoModal() != IDOK)
        return;
    // The dialog keeps both texts within their fields.
    CCategoryData record = {};
    CopyFieldCut(record.name, m_dialog.m_strName);
    CopyFieldCut(record.description, m_dialog.m_strDescription);
    const int result = talmor_NewCategory(place.device, place.area, place.category, &record);
    if (result == VORLANX_OK) {
        m_tree.InsertItem(m_dialog.m_strName, kImageCategory, kImageCategory, place.item);
        m_browser.UpdateData(FALSE);
    } else if (result == VORLANX_ERR_EXISTS) {
        AfxMessageBox(IDS_SUBFOLDER_EXISTS, MB_OK);
    }
}

void CSubFolderMenu::Edit(const Place& place)
{
    // Only a category can be edited, and only one the store could read.
    CCategoryData record = {};
    if (place.category.IsEmpty() ||
        talmor_RetrieveCategory(place.device, place.area, place.category, &record) != VORLANX_OK)
        return;
    m_dialog.m_strName = FieldText(record.name);
    m_dialog.m_strDescription = FieldText(record.description);
    const CString loaded = m_dialog.m_strName;
    if (m_dialog.DoModal() != IDOK)
        return;
    CopyFieldCut(record.name, m_dialog.m_strName);
    CopyFieldCut(record.description, m_dialog.m_strDescription);
    if (talmor_EditCategory(place.device, place.area, place.category, &record) == VORLANX_OK &&
        m_dialog.m_strName != loaded)
        m_tree.SetItemText(place.item, m_dialog.m_strName);
}

void CSubFolderMenu::Delete(const Place& place)
{
    // No confirmation. Only a category, and only once the store has deleted it.
    if (!place.category.IsEmpty() &&
        talmor_DeleteCategory(place.device, place.area, place.category) == VORLANX_OK)
        m_tree.DeleteItem(place.item);
}
