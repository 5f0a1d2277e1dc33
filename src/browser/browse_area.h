// CBrowseArea: the modal dialog "Browse for Storage Area" (template 402). It builds its tree of
// devices, storage areas and categories once, while it initializes; the selection list then
// follows the tree's selection, and OK joins the list into m_strResult.
#pragma once

#include "browser/category_nesting.h"
#include "framework/cstringlist.h"
#include "framework/dialog.h"
#include "framework/image_list.h"
#include "framework/list_box.h"
#include "framework/tree_ctrl.h"

#include <string>

// The tree's images, in image-list order.
enum TreeImage {
    kImageRoot,
    kImageDevice,
    kImageArea,
    kImageAreaBlocked,
    kImageAreaReadOnly,
    kImageAreaRestricted,
    kImageCategory,
    kImageCount
};

class CBrowseArea : public CDialog {
public:
    explicit CBrowseArea(CWnd* pParent = nullptr);
    ~CBrowseArea() override;

    CString m_strDevice;        // device to open on; normalized by the build
    CString m_strArea;          // area to preselect; only the text before its first '#' counts
    CString m_strResult;        // the selection joined with ',' at OK
    int m_nResultCount = 0;     // entries joined at OK
    CStringList m_failedConnections;
    HICON m_hIcons[kImageCount] = {};  // shared resource icons: never destroyed
    CImageList m_imageList;
    BYTE m_bSuppressSelection = 0;
    BYTE m_bSingleSelection = 0;  // option: a selection replaces the list
    BYTE m_bSubFolderEditing = 0; // option: the tree's sub-folder menu
    int m_nCategoryDepth = 0;         // depth of the category inserted last
    HTREEITEM m_hLastCategory = nullptr;
    HTREEITEM m_hLastArea = nullptr;
    CListBox m_listSelected;
    CTreeCtrl m_tree;

    void PopulateTree();
    // Inserts the item of a category entry AREA#CAT#SUB; null when its area is not shown.
    HTREEITEM InsertCategory(const CString& entry);
    void SelectInitialArea(HTREEITEM hDevice);

    // The storage-area path of the caret item; empty for the root or no caret.
    CString GetSelectedPath();
    // The category levels from the caret up to, not including, the first item above it whose text
    // is strAreaName, joined outermost first with '#'; nLevels grows by their number. Empty when
    // the caret is that item, or when no item below the root carries the name.
    CString GetCategoryPath(CString strAreaName, int& nLevels);

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
    bool IsSelectable(HTREEITEM item);  // not blocked, not restricted
    bool CaretHasStorePath();
    bool ListHolds(const CString& path);
    void RemoveDeviceEntries(const CString& prefix);
    void SendToTree(UINT message);

    HTREEITEM InsertDevice(HTREEITEM hRoot, const char* device);
    void InsertEntry(const char* device, HTREEITEM hDevice, const std::string& entry);

    CategoryNesting<HTREEITEM> m_nesting{AnsiCodePage()};  // the items of the device being built
};
