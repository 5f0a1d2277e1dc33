// The tree's sub-folder menu: New, Edit and Delete of the caret item's categories, through the
// category store, then in the tree. The browser hands a right click to it when its option is on.
#pragma once

#include "framework/dialog.h"
#include "framework/menu.h"
#include "framework/tree_ctrl.h"
#include "subfolder/category_dlg.h"

class CSubFolderMenu {
public:
    // For one right click: loads the menu and prepares the sub-folder dialog over browser, whose
    // tree is tree. Both live as long as this object.
    CSubFolderMenu(CDialog& browser, CTreeCtrl& tree);

    // The storage area that a caret's path names (1:AREA1/CAT gives AREA1): the path's text from
    // its third byte up to its first '/'.
    static CString AreaOf(const CString& path);

    // Shows the menu with its top-left corner at the screen point at (at the cursor when null) and
    // carries out the chosen command on the caret item, whose storage-area path is path and whose
    // levels below its area, joined with '#', are category.
    void Run(const CString& path, const CString& category, const POINT* at = nullptr);

private:
    // What a command acts on, taken before the menu shows.
    struct Place {
        CString device;    // the path's first byte: the store takes no more
        CString area;
        CString category;  // empty on the area itself
        HTREEITEM item;    // the caret
    };

    bool CaretHasStorePath() const;
    UINT Track(const POINT* at);  // the chosen command, or 0
    void New(const Place& place);
    void Edit(const Place& place);
    void Delete(const Place& place);

    CDialog& m_browser;
    CTreeCtrl& m_tree;
    CMenu m_menu;
    HMENU m_hPopup = nullptr;  // belongs to m_menu
    CCategoryDlg m_dialog;
};
