// CBrowseArea: the modal dialog "Browse for Storage Area" (template 402). It builds its tree of
// devices, storage areas and categories once, while it initializes; the selection list then
// follows the tree's selection, and OK joins the list into m_strResult.
#pragma once

#include "browser/category_nesting.h"
#include "browser/tree_image.h"
#include "framework/cstringlist.h"
#include "framework/dialog.h"
#include "framework/image_list.h"
#include "framework/list_box.h"
#include "framework/tree_ctrl.h"

#include <string>

class CBrowseArea : public CDialog {
public:
    explicit CBrowseArea(CWnd* pParent = nullptr);
    ~CBrowseArea() override;

    // Set by the caller before DoModal.
    CString m_strDevice;           // device to open on; normalized by the build
    CString m_strArea;             // area to preselect; only the text before its first '#' counts
    BYTE m_bSingleSelection = 0;   // option: a selection replaces the list
    BYTE m_bSubFolderEditing = 0;  // option: the tree's sub-folder menu

    // Read by the caller after DoModal.
    CString m_strResult;       // the selection joined with ',' at OK
    int m_nResultCount = 0;    // entries joined at OK

protected:
    std::span<const AFX_MSGMAP_ENTRY> GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnSelchangeList();
    void OnClear();
    void OnSelchangedTree(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSelchangingTree(NMHDR* pNMHDR, LRESULT* pResult);
    void OnItemexpandedTree(NMHDR* pNMHDR, LRESULT* pResult);
    void OnRclickTree(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDblclkTree(NMHDR* pNMHDR, LRESULT* pResult);

private:
    void PopulateTree();
    HTREEITEM InsertDevice(HTREEITEM hRoot, const char* device);
    void InsertEntry(const char* device, HTREEITEM hDevice, const std::string& entry);
    // Inserts the item of a category entry AREA#CAT#SUB; nothing when its area is not shown.
    void InsertCategory(const CString& entry);
    void SelectInitialArea(HTREEITEM hDevice);

    // The storage-area path of the caret item; empty for the root or no caret.
    CString GetSelectedPath();
    // The category levels from the caret up to, not including, the first item above it whose text
    // is strAreaName, joined outermost first with '#'; nLevels grows by their number. Empty when
    // the caret is that item, or when no item below the root carries the name.
    CString GetCategoryPath(CString strAreaName, int& nLevels);

    bool IsSelectable(HTREEITEM item);  // not blocked, not restricted
    bool ListHolds(const CString& path);
    void RemoveDeviceEntries(const CString& prefix);
    void SendToTree(UINT message);

    // Kept because the dialog has always listed them, though nothing reads them after the build:
    // the lookup's failed connections, the icons (shared resource icons: never destroyed), and
    // the category inserted last with its depth.
    CStringList m_failedConnections;
    HICON m_hIcons[kImageCount] = {};
    int m_nCategoryDepth = 0;
    HTREEITEM m_hLastCategory = nullptr;

    CImageList m_imageList;
    BYTE m_bSuppressSelection = 0;  // set by an expansion, cleared by a mouse selection
    HTREEITEM m_hLastArea = nullptr;  // the area inserted last
    CListBox m_listSelected;
    CTreeCtrl m_tree;

    CategoryNesting<HTREEITEM> m_nesting{AnsiCodePage()};  // the items of the device being built
};
