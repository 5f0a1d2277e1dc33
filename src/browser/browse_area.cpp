#include "browse_area.h"

#include "../../res/resource.h"
#include "browser/cache_scope.h"
#include "browser/entry_order.h"
#include "browser/tree_path.h"
#include "external/orvent.h"
#include "external/talmor.h"
#include "framework/data_exchange.h"
#include "subfolder/subfolder_menu.h"
#include "vorlanx.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The lookup's arguments for this machine's devices, all kinds.
constexpr char kLookupServer[] = "\\\\.";
constexpr int kLookupDeviceKinds = 7;

// The login check's mode, and what it leaves in its second integer for an area that nobody can
// log in to (such an area shows as blocked).
constexpr int kLoginCheckMode = 5;
constexpr int kLoginSecondNoLogin = 13;

bool IsNumberedDevice(const char* device)
{
    return device[0] >= '0' && device[0] <= '9';
}

// Splits text at each separator in place (a separator byte inside a double-byte character does
// not count); pieces receives where each piece begins.
void SplitInPlace(char* text, char separator, const CodePage& cp, std::vector<const char*>& pieces)
{
    pieces.assign(1, text);
    for (char* p = text; *p != '\0';) {
        char* next = const_cast<char*>(cp.Next(p));
        if (*p == separator) {
            *p = '\0';
            pieces.push_back(next);
        }
        p = next;
    }
}

}  // namespace

CBrowseArea::CBrowseArea(CWnd* pParent) : CDialog(IDD_BROWSE_AREA, pParent) {}

CBrowseArea::~CBrowseArea()
{
    ReleaseIcons();
}

void CBrowseArea::ReleaseIcons()
{
    for (HICON& icon : m_hIcons) {
        if (icon)
            DestroyIcon(icon);
        icon = nullptr;
    }
}

std::span<const AFX_MSGMAP_ENTRY> CBrowseArea::GetMessageMap() const
{
    static const AFX_MSGMAP_ENTRY map[] = {
        OnCommand(IDC_SELECTED_LIST, LBN_SELCHANGE, &CBrowseArea::OnSelchangeList),
        OnCommand(IDC_CLEAR, BN_CLICKED, &CBrowseArea::OnClear),
        OnDefault(WM_SETFOCUS),
        OnDefault(WM_KILLFOCUS),
        OnNotify(IDC_AREA_TREE, TVN_SELCHANGEDA, &CBrowseArea::OnSelchangedTree),
        OnNotify(IDC_AREA_TREE, TVN_SELCHANGINGA, &CBrowseArea::OnSelchangingTree),
        OnNotify(IDC_AREA_TREE, TVN_ITEMEXPANDEDA, &CBrowseArea::OnItemexpandedTree),
        OnNotify(IDC_AREA_TREE, NM_RCLICK, &CBrowseArea::OnRclickTree),
        OnNotify(IDC_AREA_TREE, NM_DBLCLK, &CBrowseArea::OnDblclkTree),
        OnNotify(IDC_AREA_TREE, TVN_KEYDOWN, &CBrowseArea::OnKeydownTree),
        OnNotify(IDC_AREA_TREE, TVN_DELETEITEMA, &CBrowseArea::OnDeleteitemTree),
        OnWindowMessage(WM_CONTEXTMENU, &CBrowseArea::OnContextMenu),
        OnWindowMessage(WM_DESTROY, &CBrowseArea::OnDestroy),
    };
    return map;
}

void CBrowseArea::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_SELECTED_LIST, m_listSelected);
    DDX_Control(pDX, IDC_AREA_TREE, m_tree);
}

BOOL CBrowseArea::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The system's small-icon size: 16 at 96 DPI, more above it. Each icon resource holds an
    // image drawn for each of those sizes, so none is stretched.
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    m_imageList.Create(cx, cy, 0, kImageCount, 1);
    static const int icons[kImageCount] = {IDI_ROOT,         IDI_DEVICE,        IDI_AREA,
                                           IDI_AREA_BLOCKED, IDI_AREA_READONLY, IDI_AREA_RESTRICTED,
                                           IDI_CATEGORY};
    // Icons come from the library itself, never from a resource library. Not shared (a shared
    // icon is meant for the standard sizes), so the dialog destroys them.
    ReleaseIcons();
    for (int i = 0; i < kImageCount; ++i) {
        m_hIcons[i] = static_cast<HICON>(LoadImageA(
            AfxGetInstanceHandle(), MAKEINTRESOURCEA(icons[i]), IMAGE_ICON, cx, cy, 0));
        m_imageList.Add(m_hIcons[i]);
    }
    m_tree.SetImageList(m_imageList.m_hImageList, TVSIL_NORMAL);
    PopulateTree();
    m_treeAccess.Attach(m_tree.m_hWnd);
    m_listAccess.Attach(m_listSelected.m_hWnd);
    return TRUE;
}

void CBrowseArea::PopulateTree()
{
    CCacheScope cache;

    CString rootLabel;
    rootLabel.LoadString(IDS_ROOT_LABEL);
    const HTREEITEM hRoot = m_tree.InsertItem(rootLabel, kImageRoot, kImageRoot, TVI_ROOT);

    m_strDevice.MakeUpper();
    if (m_strDevice.Find(':') < 0)
        m_strDevice += ':';

    StoreFailedConnections(m_failedConnections);

    HTREEITEM hCurrentDevice = nullptr;
    EntryList entries;
    m_recorded.clear();  // a second DoModal builds a new tree
    m_recordedText.clear();
    m_treeAccess.ClearDeviceKinds();
    for (const char* d = ListFirstDevice(kLookupServer, kLookupDeviceKinds); d;
         d = ListNextDevice()) {
        const HTREEITEM hDevice = InsertDevice(hRoot, d);
        if (m_tree.GetItemText(hDevice) == m_strDevice)
            hCurrentDevice = hDevice;  // a later device of the same text wins
        const bool removable = d[0] != '\0' && d[1] == ':' && GetDriveTypeA(d) == DRIVE_REMOVABLE;
        if (strcmp(d, "A:") == 0 || strcmp(d, "B:") == 0)
            m_treeAccess.SetDeviceKind(hDevice, ItemKind::FloppyDrive);
        else if (removable)
            m_treeAccess.SetDeviceKind(hDevice, ItemKind::RemovableDrive);
        if (removable)
            continue;
        entries.Clear();
        for (const char* e = ListFirstArea(d); e; e = ListNextArea())
            entries.Add(e, strlen(e));
        entries.Sort(AnsiCodePage());
        // What the build keeps is sized before the tree's own allocations begin.
        m_nesting.Clear();
        m_nesting.Reserve(entries.Size());
        m_recorded.push_back({hDevice, {}});
        m_recorded.back().areas.reserve(entries.Size());
        m_recordedText.reserve(m_recordedText.size() + entries.Bytes());
        for (size_t i = 0; i < entries.Size(); ++i)
            InsertEntry(d, hDevice, entries.Text(i), entries.Length(i));
    }
    m_nesting.Clear();
    m_bRecordedValid = true;

    m_tree.Expand(hRoot, TVE_EXPAND);
    if (hCurrentDevice)
        m_tree.Expand(hCurrentDevice, TVE_EXPAND);
    SelectInitialArea(hCurrentDevice);
}

HTREEITEM CBrowseArea::InsertDevice(HTREEITEM hRoot, const char* device)
{
    CString text = device;
    if (text == "A:" || text == "B:") {
        CString floppy;
        floppy.LoadString(IDS_FLOPPY);
        text += floppy;
    }
    if (text.Find(':') < 0)
        text += ':';
    text.MakeUpper();
    return m_tree.InsertItem(text, kImageDevice, kImageDevice, hRoot);
}

void CBrowseArea::InsertEntry(const char* device, HTREEITEM hDevice, char* entry, size_t length)
{
    // The login control file of the area, as a drive-letter path; only the device's first
    // character enters it. Made on the stack when it fits, as it nearly always does: a device
    // may list many thousands of entries.
    char path[300];
    std::vector<char> longPath;
    char* loginPath = path;
    const size_t pathLength = FormatLoginPath(path, sizeof path, device[0], entry, length);
    if (pathLength >= sizeof path) {
        longPath.resize(pathLength + 1);
        FormatLoginPath(longPath.data(), longPath.size(), device[0], entry, length);
        loginPath = longPath.data();
    }
    int first = 0, second = 0, third = 0;
    const int access = cc_check_trailer_ex(loginPath, kLoginCheckMode, &first, &second, &third);
    const bool restricted =
        access == VORLANX_AREA_RESTRICTED || access == VORLANX_AREA_RESTRICTED_EXPIRED;
    int image = kImageArea;
    if (!restricted && (access == VORLANX_AREA_BLOCKED || second == kLoginSecondNoLogin))
        image = kImageAreaBlocked;

    if (IsNumberedDevice(device)) {
        SplitInPlace(entry, '#', AnsiCodePage(), m_levels);
        if (m_levels.size() > 1) {
            InsertCategory();
            return;
        }
        const int readonly = talmor_IsAreaReadonly(device, entry);
        if (readonly == VORLANX_AREA_HIDDEN)
            return;  // hidden, and so are its categories
        if (restricted)
            image = kImageAreaRestricted;
        else if (readonly == VORLANX_AREA_READONLY)
            image = kImageAreaReadOnly;
    }
    const HTREEITEM hArea = m_tree.InsertItem(entry, image, image, hDevice);
    m_hLastArea = hArea;
    if (IsNumberedDevice(device))
        m_nesting.AddArea({entry, length}, hArea);
    if (hArea)
        Record(entry, length, image != kImageAreaBlocked && image != kImageAreaRestricted);
}

void CBrowseArea::InsertCategory()
{
    const HTREEITEM item = m_nesting.AddCategory(m_levels, [this](const char* text,
                                                                  HTREEITEM hParent) {
        return m_tree.InsertItem(text, kImageCategory, kImageCategory, hParent);
    });
    if (!item)
        return;  // its area is hidden or not listed
    m_hLastCategory = item;
    m_nCategoryDepth = static_cast<int>(m_levels.size()) - 1;
}

void CBrowseArea::Record(const char* area, size_t length, bool selectable)
{
    if (!selectable)
        return;
    m_recorded.back().areas.push_back(m_recordedText.size());
    m_recordedText.insert(m_recordedText.end(), area, area + length + 1);
}

void CBrowseArea::SelectInitialArea(HTREEITEM hDevice)
{
    CString target = m_strArea;
    const int hash = target.Find('#');
    if (hash >= 0)
        target = target.Left(hash);
    target.MakeLower();
    if (target.IsEmpty())
        return;
    if (hDevice) {
        for (HTREEITEM h = m_tree.GetChildItem(hDevice); h; h = m_tree.GetNextSiblingItem(h)) {
            if (m_tree.GetItemText(h).MakeLower() == target) {
                m_tree.SelectItem(h);
                return;
            }
        }
    }
    m_tree.SelectItem(nullptr);
}

CString CBrowseArea::GetSelectedPath()
{
    std::vector<std::string> levels;
    const HTREEITEM hRoot = m_tree.GetRootItem();
    for (HTREEITEM h = m_tree.GetSelectedItem(); h && h != hRoot; h = m_tree.GetParentItem(h))
        levels.insert(levels.begin(), m_tree.GetItemText(h).GetString());
    return BuildSelectedPath(levels).c_str();
}

CString CBrowseArea::GetCategoryPath(CString strAreaName, int& nLevels)
{
    std::vector<std::string> levels;
    const HTREEITEM hRoot = m_tree.GetRootItem();
    for (HTREEITEM h = m_tree.GetSelectedItem(); h && h != hRoot; h = m_tree.GetParentItem(h)) {
        const CString text = m_tree.GetItemText(h);
        if (text == strAreaName) {
            nLevels += static_cast<int>(levels.size());
            return JoinCategoryLevels({levels.rbegin(), levels.rend()}).c_str();
        }
        levels.push_back(text.GetString());
    }
    return CString();  // the root is no storage area
}

bool CBrowseArea::IsSelectable(HTREEITEM item)
{
    int image = -1, selectedImage = -1;
    m_tree.GetItemImage(item, image, selectedImage);
    return image != kImageAreaBlocked && image != kImageAreaRestricted;
}

bool CBrowseArea::ListHolds(const CString& path)
{
    // The list finds entries ignoring case; an entry counts only when it is equal byte for byte.
    CString entry;
    for (int i = m_listSelected.FindStringExact(-1, path), first = i; i != LB_ERR;) {
        m_listSelected.GetText(i, entry);
        if (entry == path)
            return true;
        i = m_listSelected.FindStringExact(i, path);
        if (i == first)
            break;  // the search wrapped around
    }
    return false;
}

void CBrowseArea::RemoveDeviceEntries(const CString& prefix)
{
    // Every entry that begins with the prefix, ignoring case, as the list finds them. When all
    // were made with this prefix, that is the whole list, found without asking the list once per
    // entry. Otherwise they are found first, then removed from the last, so that no removal
    // moves entries that go too.
    if (!prefix.IsEmpty() && m_strListDevice == prefix) {
        m_listSelected.ResetContent();
        return;
    }
    std::vector<int> found;
    for (int i = m_listSelected.FindString(-1, prefix); i != LB_ERR;
         i = m_listSelected.FindString(i, prefix)) {
        if (!found.empty() && i <= found.back())
            break;  // the search wrapped around
        found.push_back(i);
    }
    if (!found.empty() && static_cast<int>(found.size()) == m_listSelected.GetCount()) {
        m_listSelected.ResetContent();
        return;
    }
    for (auto i = found.rbegin(); i != found.rend(); ++i)
        m_listSelected.DeleteString(*i);
}

const CBrowseArea::RecordedDevice* CBrowseArea::FindRecorded(HTREEITEM hDevice) const
{
    if (!m_bRecordedValid)
        return nullptr;
    for (const RecordedDevice& device : m_recorded)
        if (device.hDevice == hDevice)
            return &device;
    return nullptr;
}

void CBrowseArea::AddDeviceAreas(const CString& prefix, HTREEITEM hDevice)
{
    if (const RecordedDevice* device = FindRecorded(hDevice)) {
        size_t bytes = 0;
        for (size_t area : device->areas)
            bytes += static_cast<size_t>(prefix.GetLength()) + strlen(&m_recordedText[area]) + 1;
        m_listSelected.InitStorage(static_cast<int>(device->areas.size()), bytes);
        std::string entry = prefix.GetString();
        for (size_t area : device->areas) {
            entry.resize(static_cast<size_t>(prefix.GetLength()));
            entry += &m_recordedText[area];
            m_listSelected.AddString(entry.c_str());
        }
        return;
    }
    for (HTREEITEM h = m_tree.GetChildItem(hDevice); h; h = m_tree.GetNextSiblingItem(h))
        if (IsSelectable(h))
            m_listSelected.AddString(prefix + m_tree.GetItemText(h));
}

void CBrowseArea::SendToTree(UINT message)
{
    if (HWND tree = GetDlgItem(IDC_AREA_TREE))
        ::SendMessageA(tree, message, 0, 0);
}

void CBrowseArea::OnSelchangedTree(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (pNMHDR)  // a caret move; Space calls this too, with the caret where it was
        m_treeAccess.CaretMoved(reinterpret_cast<NMTREEVIEWA*>(pNMHDR)->itemNew.hItem);
    if (m_bSuppressSelection)
        return;
    const CString path = GetSelectedPath();
    const int colon = path.Find(':');
    const CString prefix = colon >= 0 ? path.Left(colon + 1) : CString();
    const CString remainder = colon >= 0 ? path.Mid(colon + 1) : CString();
    const HTREEITEM hCaret = m_tree.GetSelectedItem();
    if (!hCaret || hCaret == m_tree.GetRootItem())
        return;  // the root, or nothing: the list stays as it is

    if (!remainder.IsEmpty()) {  // a storage area, a category, or a floppy drive
        if (m_bSingleSelection)
            m_listSelected.ResetContent();
        else if (ListHolds(path))
            return;
        if (IsSelectable(hCaret)) {
            if (m_strListDevice != prefix)
                m_strListDevice.Empty();
            m_listSelected.AddString(path);
        }
        return;
    }
    // A device's entries change many at a time: the list redraws once, at the end.
    m_listSelected.SetRedraw(FALSE);
    RemoveDeviceEntries(prefix);
    m_strListDevice = m_listSelected.GetCount() == 0 ? prefix : CString();
    const HTREEITEM hChild = m_tree.GetChildItem(hCaret);
    if (!hChild)  // a device without storage areas stands for itself
        m_listSelected.AddString(path);
    else if (!m_bSingleSelection)
        AddDeviceAreas(prefix, hCaret);
    m_listSelected.SetRedraw(TRUE);
    ::InvalidateRect(m_listSelected.m_hWnd, nullptr, TRUE);
}

void CBrowseArea::OnSelchangingTree(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;  // the change goes ahead
    if (reinterpret_cast<NMTREEVIEWA*>(pNMHDR)->action == TVC_BYMOUSE)
        m_bSuppressSelection = 0;
    else
        SendToTree(WM_KILLFOCUS);
}

void CBrowseArea::OnItemexpandedTree(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    m_bSuppressSelection = 1;
    SendToTree(WM_SETFOCUS);
}

void CBrowseArea::OnSelchangeList()
{
    const int selected = m_listSelected.GetCurSel();
    if (selected != LB_ERR)
        m_listSelected.DeleteString(selected);
}

void CBrowseArea::OnClear()
{
    m_tree.SelectItem(m_tree.GetRootItem());
    m_listSelected.ResetContent();
}

void CBrowseArea::OnOK()
{
    CDialog::OnOK();  // ends the modal loop; the list lives until this handler returns
    m_strResult.Empty();
    int joined = 0;
    CString entry;
    for (; joined < m_listSelected.GetCount(); ++joined) {
        if (!m_strResult.IsEmpty())
            m_strResult += ',';
        m_listSelected.GetText(joined, entry);
        m_strResult += entry;
    }
    m_nResultCount = joined;
}

void CBrowseArea::OnRclickTree(NMHDR*, LRESULT* pResult)
{
    if (!m_bSubFolderEditing)
        return;
    RunSubFolderMenu(nullptr);
    *pResult = 0;
}

void CBrowseArea::RunSubFolderMenu(const POINT* at)
{
    CSubFolderMenu menu(*this, m_tree);
    m_bRecordedValid = false;  // the menu may change the tree
    // Everything comes from the caret, before the menu shows; the item under the mouse plays no
    // part. 1:AREA1/CAT/SUB gives the device 1, the area AREA1 and the category CAT#SUB.
    const CString path = GetSelectedPath();
    int nLevels = 0;
    const CString category = GetCategoryPath(CSubFolderMenu::AreaOf(path), nLevels);
    menu.Run(path, category, at);
}

void CBrowseArea::OnDblclkTree(NMHDR*, LRESULT*) {}

void CBrowseArea::OnDeleteitemTree(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    m_treeAccess.Forget(reinterpret_cast<NMTREEVIEWA*>(pNMHDR)->itemOld.hItem);
}

BOOL CBrowseArea::OnDestroy(WPARAM, LPARAM)
{
    // The tree is destroyed after the dialog and tells it of each item it deletes. Each such
    // notification would pass through the dialog manager, which first writes the dialog's answer
    // (under Wine a request to its server), only for the screen reader to forget an item whose
    // records go with the tree anyway. With thousands of items that is a large part of the
    // close, so from here the dialog's window answers those notifications itself.
    m_previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ClosingProc)));
    return FALSE;
}

LRESULT CALLBACK CBrowseArea::ClosingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        const UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
        if (code == TVN_DELETEITEMA || code == TVN_DELETEITEMW)
            return 0;
    }
    const auto* self =
        static_cast<const CBrowseArea*>(reinterpret_cast<CDialog*>(GetWindowLongPtrA(hWnd, DWLP_USER)));
    if (!self || !self->m_previousProc)
        return DefDlgProcA(hWnd, message, wParam, lParam);
    return CallWindowProcA(self->m_previousProc, hWnd, message, wParam, lParam);
}

void CBrowseArea::OnKeydownTree(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const WORD key = reinterpret_cast<NMTVKEYDOWN*>(pNMHDR)->wVKey;
    const bool alt = GetKeyState(VK_MENU) < 0, control = GetKeyState(VK_CONTROL) < 0;
    if (key == VK_SPACE && !alt && !control) {  // Alt+Space stays the window menu's
        ChooseCaret();
        *pResult = 1;  // the space takes no part in the tree's search by typed characters
    } else if (m_bSubFolderEditing &&
               (key == VK_APPS || (key == VK_F10 && GetKeyState(VK_SHIFT) < 0 && !alt))) {
        // The tree keeps these keys from the default handling that makes WM_CONTEXTMENU of them.
        SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_tree.m_hWnd), -1);
    }
}

BOOL CBrowseArea::OnContextMenu(WPARAM wParam, LPARAM lParam)
{
    // (-1, -1) is the keyboard's; a right click has had its menu from OnRclickTree.
    const HWND tree = GetDlgItem(IDC_AREA_TREE);
    if (!m_bSubFolderEditing || static_cast<DWORD>(lParam) != 0xFFFFFFFF || !tree ||
        (reinterpret_cast<HWND>(wParam) != tree && ::GetFocus() != tree))
        return FALSE;
    POINT at = CaretMenuPoint();
    RunSubFolderMenu(&at);
    return TRUE;
}

void CBrowseArea::ChooseCaret()
{
    m_bSuppressSelection = 0;  // as TVN_SELCHANGING does for the mouse
    LRESULT result = 0;
    OnSelchangedTree(nullptr, &result);
}

POINT CBrowseArea::CaretMenuPoint()
{
    RECT client = {}, item = {};
    ::GetClientRect(m_tree.m_hWnd, &client);
    POINT at = {client.left, client.top};
    const HTREEITEM hCaret = m_tree.GetSelectedItem();
    if (hCaret && m_tree.GetItemRect(hCaret, &item, TRUE)) {
        // On the item's last row of pixels: the menu hangs from the item and leaves its text clear.
        at.x = std::clamp(item.left, client.left, client.right - 1);
        at.y = std::clamp(item.bottom - 1, client.top, client.bottom - 1);
    }
    ::ClientToScreen(m_tree.m_hWnd, &at);
    return at;
}
