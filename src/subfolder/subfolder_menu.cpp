// The tree's sub-folder menu: New, Edit and Delete of the caret item's categories, through the
// category store, then in the tree. A member of CBrowseArea, on when m_bSubFolderEditing is.
#include "browser/browse_area.h"

#include "../../res/resource.h"
#include "external/talmor.h"
#include "framework/menu.h"
#include "framework/message_box.h"
#include "subfolder/category_dlg.h"

#include <cstring>

namespace {

// Copies text into a record field, cut to the field and always terminated; the dialog already
// keeps both texts within their fields.
void CopyToField(char* field, size_t size, const char* text)
{
    const size_t length = strnlen(text, size - 1);
    memcpy(field, text, length);
    field[length] = '\0';
}

CString FieldText(const char* field, size_t size)
{
    return CString(field, static_cast<int>(strnlen(field, size)));
}

}  // namespace

// The commands act on the caret item. They do nothing for the root, with no caret, or below a
// device whose text is not one character and ':' (A:FLOPPY, 12:): the paths cannot name a
// store location there.
bool CBrowseArea::CaretHasStorePath()
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

void CBrowseArea::OnRclickTree(NMHDR*, LRESULT* pResult)
{
    if (!m_bSubFolderEditing)
        return;

    CMenu menu;
    menu.LoadMenu(IDR_SUBFOLDER_MENU);
    const HMENU popup = menu.GetSubMenu(0);
    CCategoryDlg dialog(this);

    // Everything comes from the caret, before the menu shows; the item under the mouse plays no
    // part. P 1:AREA1/CAT/SUB gives D 1, A AREA1, C CAT#SUB.
    const CString path = GetSelectedPath();
    const CString device = path.Left(1);
    const int slash = path.Find('/');
    const CString area = slash >= 0 ? path.Mid(2, slash - 2) : path.Mid(2);
    int nLevels = 0;
    const CString category = GetCategoryPath(area, nLevels);
    const HTREEITEM hCaret = m_tree.GetSelectedItem();
    const bool hasStorePath = CaretHasStorePath();

    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    const UINT command = popup ? TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, cursor.x,
                                                cursor.y, 0, m_hWnd, nullptr)
                               : 0;
    if (popup && command) {  // the dialog's title is the command as the menu names it
        char title[128] = {};
        GetMenuStringA(popup, command, title, sizeof title, MF_BYCOMMAND);
        dialog.m_strCaption = title;
    }

    CCategoryData record = {};
    if (!hasStorePath) {
        // nothing to act on
    } else if (command == ID_SUBFOLDER_NEW) {
        if (dialog.DoModal() == IDOK) {
            CopyToField(record.name, sizeof record.name, dialog.m_strName);
            CopyToField(record.description, sizeof record.description, dialog.m_strDescription);
            const int result = talmor_NewCategory(device, area, category, &record);
            if (result == 1) {
                TVINSERTSTRUCTA insert = {};
                insert.hParent = hCaret;
                insert.hInsertAfter = TVI_LAST;
                insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
                insert.item.pszText = const_cast<char*>(dialog.m_strName.GetString());
                insert.item.iImage = insert.item.iSelectedImage = kImageCategory;
                m_tree.InsertItem(insert);
                UpdateData(FALSE);
            } else if (result == 1006) {
                AfxMessageBox(IDS_SUBFOLDER_EXISTS, MB_OK);
            }
        }
    } else if (command == ID_SUBFOLDER_EDIT) {
        // Only a category can be edited, and only one the store could read.
        if (!category.IsEmpty() && talmor_RetrieveCategory(device, area, category, &record) == 1) {
            dialog.m_strName = FieldText(record.name, sizeof record.name);
            dialog.m_strDescription = FieldText(record.description, sizeof record.description);
            const CString loaded = dialog.m_strName;
            if (dialog.DoModal() == IDOK) {
                CopyToField(record.name, sizeof record.name, dialog.m_strName);
                CopyToField(record.description, sizeof record.description, dialog.m_strDescription);
                if (talmor_EditCategory(device, area, category, &record) == 1 &&
                    !(dialog.m_strName == loaded))
                    m_tree.SetItemText(hCaret, dialog.m_strName);
            }
        }
    } else if (command == ID_SUBFOLDER_DELETE) {
        // No confirmation. Only a category, and only once the store has deleted it.
        if (!category.IsEmpty() && talmor_DeleteCategory(device, area, category) == 1)
            m_tree.DeleteItem(hCaret);
    }
    *pResult = 0;
}
