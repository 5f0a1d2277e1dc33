// CBrowseArea: the modal dialog "Browse for Storage Area" (template 402). It builds its tree of
// devices, storage areas and categories once, while it initializes; the selection list then
// follows the tree's selection, and OK joins the list into m_strResult.
#pragma once

#include "access/list_access.h"
#include "access/tree_access.h"
#include "browser/category_nesting.h"
#include "browser/tree_image.h"
#include "framework/cstringlist.h"
#include "framework/dialog.h"
#include "framework/image_list.h"
#include "framework/list_box.h"
#include "framework/tree_ctrl.h"

#include <string>
#include <vector>

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
    void OnDeleteitemTree(NMHDR* pNMHDR, LRESULT* pResult);
    // The keys that stand for the mouse: Space chooses the caret item, Shift+F10 and the Menu key
    // open the sub-folder menu at it.
    void OnKeydownTree(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnContextMenu(WPARAM wParam, LPARAM lParam);
    BOOL OnDestroy(WPARAM wParam, LPARAM lParam);

private:
    void ReleaseIcons();
    // The dialog's window procedure from its WM_DESTROY on (the previous one in m_previousProc).
    static LRESULT CALLBACK ClosingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    WNDPROC m_previousProc = nullptr;
    void PopulateTree();
    HTREEITEM InsertDevice(HTREEITEM hRoot, const char* device);
    // entry is split in place at its '#'s.
    void InsertEntry(const char* device, HTREEITEM hDevice, char* entry, size_t length);
    // Inserts the item of the category entry in m_levels; nothing when its area is not shown.
    void InsertCategory();
    void Record(const char* area, size_t length, bool selectable);
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
    // The device's selectable areas, each after the prefix, into the list.
    void AddDeviceAreas(const CString& prefix, HTREEITEM hDevice);
    void SendToTree(UINT message);

    // Puts the caret item into the selection as a mouse click that selected it would.
    void ChooseCaret();
    // The sub-folder menu for the caret item, at the screen point at (the cursor when null).
    void RunSubFolderMenu(const POINT* at);
    // Where the keyboard's menu goes: at the foot of the caret item's text, inside the tree.
    POINT CaretMenuPoint();

    // Kept because the dialog has always listed them, though nothing reads them after the build:
    // the lookup's failed connections, the icons (loaded at the small-icon size, so the
    // dialog's own: destroyed with it), and the category inserted last with its depth.
    CStringList m_failedConnections;
    HICON m_hIcons[kImageCount] = {};
    int m_nCategoryDepth = 0;
    HTREEITEM m_hLastCategory = nullptr;

    CImageList m_imageList;
    BYTE m_bSuppressSelection = 0;  // set by an expansion, cleared by a mouse selection
    HTREEITEM m_hLastArea = nullptr;  // the area inserted last
    CListBox m_listSelected;
    // Not empty only while every entry of the list begins with it: the entries a device's
    // selection put into an empty list, less any the user removed.
    CString m_strListDevice;
    CTreeCtrl m_tree;

    CategoryNesting<HTREEITEM> m_nesting{AnsiCodePage()};  // the items of the device being built
    std::vector<const char*> m_levels;  // the entry being inserted, split at '#'

    // The build records each device's selectable areas, so that selecting a device asks the
    // tree nothing per area: Wine's tree control checks every item handle it is given against
    // all its items, and a device may have many thousands. Not used once the sub-folder menu
    // may have changed the tree.
    struct RecordedDevice {
        HTREEITEM hDevice;
        std::vector<size_t> areas;  // where each text begins in m_recordedText
    };
    const RecordedDevice* FindRecorded(HTREEITEM hDevice) const;
    std::vector<RecordedDevice> m_recorded;
    std::vector<char> m_recordedText;
    bool m_bRecordedValid = false;

    // What a screen reader reads of the tree and the list; attached once the tree is built.
    TreeAccess m_treeAccess;
    ListAccess m_listAccess;
};
