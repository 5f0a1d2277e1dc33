// The tree's events for a screen reader. Windows' tree raises the focus and the selection events
// itself, with ids of its own that the system's object resolves (it answers
// TVM_MAPHTREEITEMTOACCID); Wine's raises none. So they are raised here only where the tree is
// silent, with the ids of the library's own object, and never twice.
#include "access/tree_access.h"

bool TreeAccess::TellsItself()
{
    if (m_tellsItself < 0) {
        const HTREEITEM root = Next(nullptr, TVGN_ROOT);
        if (root && SendMessageW(Control(), TVM_MAPHTREEITEMTOACCID, reinterpret_cast<WPARAM>(root), 0))
            m_tellsItself = 1;
        else if (!Asked())
            return false;  // asking the system's object would load COM for a host with no reader
        else
            m_tellsItself = Wrapped();
    }
    return m_tellsItself == 1;
}

void TreeAccess::Raise(DWORD event, HTREEITEM item)
{
    if (const long id = IdOf(item))
        NotifyWinEvent(event, Control(), OBJID_CLIENT, id);
}

void TreeAccess::CaretMoved(HTREEITEM item)
{
    // Not attached while the tree is built: the dialog's own selection as it opens is no move.
    if (!Control() || !item || TellsItself())
        return;
    if (GetFocus() == Control())
        Raise(EVENT_OBJECT_FOCUS, item);
    Raise(EVENT_OBJECT_SELECTION, item);
}

void TreeAccess::Observe(UINT message, WPARAM, LPARAM)
{
    // The dialog also sends the tree WM_SETFOCUS and WM_KILLFOCUS of its own, as the framework's
    // dialog did; only a real change of the focus counts.
    if (message == WM_SETFOCUS && !m_focused && GetFocus() == Control()) {
        m_focused = true;
        // As a tree that tells itself does: the item that the focus lands on.
        if (!TellsItself())
            Raise(EVENT_OBJECT_FOCUS, Next(nullptr, TVGN_CARET));
    } else if (message == WM_KILLFOCUS && GetFocus() != Control()) {
        m_focused = false;
    }
}
