// screenpoint.exe: prints the screen point, "X Y", at which a person would click a part of a
// window that another process shows, so that scripts driving it with xdotool hold at any font
// or DPI. Tree items are read through memory in the tree's own process, because the tree's
// messages carry pointers.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: screenpoint TITLE control ID        the middle of the control with that id\n"
    "       screenpoint TITLE item TEXT...      the label of the tree item TEXT (the last\n"
    "                                           one) under its parents (those before it)\n"
    "       screenpoint TITLE button TEXT...    that tree item's expand button\n"
    "       screenpoint TITLE close             the window's close box\n"
    "       screenpoint - menuitem N COUNT      item N (from 1) of the open popup menu of\n"
    "                                           COUNT items of one height\n"
    "TITLE names the top-level window. Exit status 1 when the part is not found.\n";

// A block of memory in another process, freed when this ends.
class CRemoteMemory {
public:
    CRemoteMemory(HWND window, SIZE_T size)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        m_hProcess = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (m_hProcess)
            m_pBase = static_cast<char*>(
                VirtualAllocEx(m_hProcess, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
    ~CRemoteMemory()
    {
        if (m_pBase)
            VirtualFreeEx(m_hProcess, m_pBase, 0, MEM_RELEASE);
        if (m_hProcess)
            CloseHandle(m_hProcess);
    }
    CRemoteMemory(const CRemoteMemory&) = delete;
    CRemoteMemory& operator=(const CRemoteMemory&) = delete;

    bool IsValid() const { return m_pBase != nullptr; }
    char* At(SIZE_T offset) const { return m_pBase + offset; }
    bool Write(SIZE_T offset, const void* data, SIZE_T size) const
    {
        return WriteProcessMemory(m_hProcess, At(offset), data, size, nullptr);
    }
    bool Read(SIZE_T offset, void* data, SIZE_T size) const
    {
        return ReadProcessMemory(m_hProcess, At(offset), data, size, nullptr);
    }

private:
    HANDLE m_hProcess = nullptr;
    char* m_pBase = nullptr;
};

// The tree control of a window in another process, read through its messages.
class CRemoteTree {
public:
    explicit CRemoteTree(HWND tree) : m_hTree(tree), m_memory(tree, kSize) {}

    bool IsValid() const { return m_hTree && m_memory.IsValid(); }

    std::string Text(HTREEITEM item)
    {
        TVITEMA tv = {};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = m_memory.At(kText);
        tv.cchTextMax = kTextSize;
        char text[kTextSize] = {};
        if (!m_memory.Write(0, &tv, sizeof tv) ||
            !SendMessageA(m_hTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(m_memory.At(0))) ||
            !m_memory.Read(kText, text, sizeof text - 1))
            return {};
        return text;
    }

    HTREEITEM Next(HTREEITEM item, UINT how)
    {
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(m_hTree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
    }

    // The first item, in tree order, whose texts from some level down are path.
    HTREEITEM Find(const std::vector<std::string>& path, HTREEITEM parent = TVI_ROOT, size_t matched = 0)
    {
        for (HTREEITEM h = Next(parent == TVI_ROOT ? nullptr : parent,
                                parent == TVI_ROOT ? TVGN_ROOT : TVGN_CHILD);
             h; h = Next(h, TVGN_NEXT)) {
            const bool fits = matched < path.size() && Text(h) == path[matched];
            if (fits && matched + 1 == path.size())
                return h;
            if (fits)
                if (HTREEITEM found = Find(path, h, matched + 1))
                    return found;
            if (matched == 0)
                if (HTREEITEM found = Find(path, h, 0))
                    return found;
        }
        return nullptr;
    }

    // The item's label (or whole row), in the tree's client coordinates; empty when it is not
    // in view. Nothing is scrolled or expanded for it: that would be a change the dialog sees.
    RECT ItemRect(HTREEITEM item, BOOL label)
    {
        RECT rect = {};
        memcpy(&rect, &item, sizeof item);  // the item goes in where the rectangle comes out
        if (!m_memory.Write(kRect, &rect, sizeof rect) ||
            !SendMessageA(m_hTree, TVM_GETITEMRECT, label, reinterpret_cast<LPARAM>(m_memory.At(kRect))) ||
            !m_memory.Read(kRect, &rect, sizeof rect))
            return {};
        return rect;
    }

    // What the tree's own hit test finds at a point of its client area.
    UINT HitTest(POINT point, HTREEITEM item)
    {
        TVHITTESTINFO hit = {};
        hit.pt = point;
        if (!m_memory.Write(kHit, &hit, sizeof hit))
            return 0;
        SendMessageA(m_hTree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(m_memory.At(kHit)));
        if (!m_memory.Read(kHit, &hit, sizeof hit) || hit.hItem != item)
            return 0;
        return hit.flags;
    }

private:
    static constexpr int kTextSize = 260;
    static constexpr SIZE_T kText = 64, kRect = kText + kTextSize, kHit = kRect + 64, kSize = 1024;

    HWND m_hTree;
    CRemoteMemory m_memory;
};

int Print(HWND window, POINT client)
{
    ClientToScreen(window, &client);
    printf("%ld %ld\n", client.x, client.y);
    return 0;
}

int Middle(HWND window, const RECT& r)
{
    return Print(window, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

int TreePart(HWND dialog, bool button, const std::vector<std::string>& path)
{
    HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
    CRemoteTree remote(tree);
    if (!remote.IsValid())
        return 1;
    const HTREEITEM item = remote.Find(path);
    const RECT label = item ? remote.ItemRect(item, TRUE) : RECT{};
    if (IsRectEmpty(&label))
        return 1;
    const LONG y = (label.top + label.bottom) / 2;
    if (!button)  // near the label's start: a long label may run past the control's edge
        return Print(tree, {label.left + std::min(8L, (label.right - label.left) / 2), y});
    // The button is wherever the tree's hit test says it is, left of the label.
    LONG first = -1, last = -1;
    for (LONG x = 0; x < label.left; ++x) {
        if (remote.HitTest({x, y}, item) & TVHT_ONITEMBUTTON) {
            first = first < 0 ? x : first;
            last = x;
        }
    }
    return first < 0 ? 1 : Print(tree, {(first + last) / 2, y});
}

int CloseBox(HWND window)
{
    // The frame's own hit test, over the caption strip at the window's top right.
    RECT r;
    GetWindowRect(window, &r);
    const LONG strip = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
    RECT box = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    for (LONG y = r.top; y < r.top + strip; ++y)
        for (LONG x = r.right - 3 * strip; x < r.right; ++x)
            if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE)
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
                       std::max(box.bottom, y)};
    if (box.left > box.right)
        return 1;
    printf("%ld %ld\n", (box.left + box.right) / 2, (box.top + box.bottom) / 2);
    return 0;
}

int MenuItem(int n, int count)
{
    HWND menu = FindWindowA("#32768", nullptr);  // the class of every popup menu
    RECT r;
    if (!menu || !IsWindowVisible(menu) || n < 1 || n > count || !GetClientRect(menu, &r))
        return 1;
    const LONG height = (r.bottom - r.top) / count;
    return Print(menu, {(r.left + r.right) / 2, r.top + height * (n - 1) + height / 2});
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string what = argc >= 3 ? argv[2] : "";
    if (what == "menuitem" && argc == 5)
        return MenuItem(atoi(argv[3]), atoi(argv[4]));
    HWND window = argc >= 3 ? FindWindowA(nullptr, argv[1]) : nullptr;
    if (argc >= 3 && !window)
        return 1;
    if (what == "control" && argc == 4) {
        HWND control = GetDlgItem(window, atoi(argv[3]));
        RECT r;
        if (!control || !GetClientRect(control, &r))
            return 1;
        return Middle(control, r);
    }
    if ((what == "item" || what == "button") && argc >= 4)
        return TreePart(window, what == "button", {argv + 3, argv + argc});
    if (what == "close" && argc == 3)
        return CloseBox(window);
    fputs(kUsage, stderr);
    return 2;
}
