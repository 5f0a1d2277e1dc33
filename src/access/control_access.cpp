#include "access/control_access.h"

#include "access/access_object.h"
#include "base/no_throw.h"

#include <commctrl.h>

namespace {

HRESULT Id(long id, VARIANT* out)
{
    out->vt = VT_EMPTY;
    if (id < 0)
        return S_FALSE;
    out->vt = VT_I4;
    out->lVal = id;
    return S_OK;
}

}  // namespace

ControlAccess::~ControlAccess()
{
    Detach();
}

HRESULT ControlAccess::Bstr(const std::wstring& text, BSTR* out)
{
    *out = nullptr;
    if (text.empty())
        return S_FALSE;
    *out = m_com.SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

void ControlAccess::Attach(HWND control)
{
    Detach();
    if (!control)
        return;
    m_jobMessage = AccessLink::JobMessage();
    m_link = new (std::nothrow) AccessLink(control, m_jobMessage);
    if (!m_link)
        return;  // the control shows what the system gives of it
    m_hWnd = control;
    m_pModuleState = AfxGetModuleState();
    // The control's user data is the dialog's to use, and the dialog gives it to this.
    m_unicode = IsWindowUnicode(control) != FALSE;
    if (m_unicode) {
        m_previousUserData = SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc<true>)));
    } else {
        m_previousUserData = SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc<false>)));
    }
    if (!m_previous)
        Detach();
}

void ControlAccess::Detach()
{
    if (!m_link)
        return;
    if (m_hWnd && m_previous && IsWindow(m_hWnd)) {
        if (m_unicode) {
            SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
            SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, m_previousUserData);
        } else {
            SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
            SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, m_previousUserData);
        }
    }
    m_previous = nullptr;
    m_link->Cut();
    if (m_object) {
        // Clients in other processes hold proxies of it: cut them off now, not at their release.
        m_com.CoDisconnectObject(m_object, 0);
        m_object->Release();
        m_object = nullptr;
    }
    m_link->Release();
    m_link = nullptr;
    if (m_standard)
        m_standard->Release();
    m_standard = nullptr;
    m_standardAsked = false;
    m_wrapped = -1;
    if (m_comEntered)
        m_com.CoUninitialize();  // the thread's COM as the host left it
    m_comEntered = false;
    m_comTried = false;
    m_com.Free();
    m_hWnd = nullptr;
    Detached();
}

template <bool Unicode>
LRESULT CALLBACK ControlAccess::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* access = reinterpret_cast<ControlAccess*>(Unicode ? GetWindowLongPtrW(hWnd, GWLP_USERDATA)
                                                            : GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    return access->OnMessage(hWnd, message, wParam, lParam);
}

LRESULT ControlAccess::CallPrevious(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return m_unicode ? CallWindowProcW(m_previous, hWnd, message, wParam, lParam)
                     : CallWindowProcA(m_previous, hWnd, message, wParam, lParam);
}

LRESULT ControlAccess::OnMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == m_jobMessage) {
        auto* job = reinterpret_cast<AccessLink::Job*>(lParam);
        if (!job || job->link != m_link || !m_com.Loaded())
            return 0;  // an object of a control that has gone
        AFX_MAINTAIN_STATE2 state(m_pModuleState);
        job->result = NoThrow([&] { return job->call(job->job, *this); }, E_FAIL, E_OUTOFMEMORY);
        return 1;
    }
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        AFX_MAINTAIN_STATE2 state(m_pModuleState);
        if (const LRESULT answer = NoThrow([&] { return OnGetObject(wParam); }, LRESULT(0)))
            return answer;
    }
    if (message == WM_NCDESTROY) {
        const WNDPROC previous = m_previous;
        const bool unicode = m_unicode;
        Detach();  // this may be gone with it
        return unicode ? CallWindowProcW(previous, hWnd, message, wParam, lParam)
                       : CallWindowProcA(previous, hWnd, message, wParam, lParam);
    }
    const LRESULT result = CallPrevious(hWnd, message, wParam, lParam);
    NoThrow([&] { Observe(message, wParam, lParam); });
    return result;
}

LRESULT ControlAccess::OnGetObject(WPARAM wParam)
{
    if (!m_com.Load())
        return 0;
    // Marshalling the object needs COM on this thread. A host that never started it is served
    // with an apartment of the dialog's, ended with the control; one that runs another kind of
    // apartment (RPC_E_CHANGED_MODE) is served in it, and it is left as it is.
    if (!m_comTried) {
        m_comTried = true;
        m_comEntered = SUCCEEDED(m_com.CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    }
    if (!m_object)
        m_object = NewAccessObject(m_link);
    if (!m_object)
        return 0;
    const LRESULT answer = m_com.LresultFromObject(__uuidof(IAccessible), wParam, m_object);
    return answer > 0 ? answer : 0;  // a failure leaves the system's own object
}

IAccessible* ControlAccess::Standard()
{
    if (!m_standardAsked && m_hWnd && m_com.Load()) {
        m_standardAsked = true;
        if (FAILED(m_com.CreateStdAccessibleObject(m_hWnd, OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&m_standard))))
            m_standard = nullptr;
    }
    return m_standard;
}

bool ControlAccess::Wrapped()
{
    if (m_wrapped < 0) {
        long count = 0;
        IAccessible* standard = Standard();
        m_wrapped = standard && SUCCEEDED(standard->get_accChildCount(&count)) && count > 0;
    }
    return m_wrapped == 1;
}

long ControlAccess::ChildId(const VARIANT& child)
{
    if (child.vt != VT_I4)
        return -1;
    if (child.lVal == CHILDID_SELF)
        return 0;
    return child.lVal > 0 && IsChild(child.lVal) ? child.lVal : -1;
}

HRESULT ControlAccess::Parent(IDispatch** parent)
{
    IAccessible* standard = Standard();
    return standard ? standard->get_accParent(parent) : S_FALSE;
}

HRESULT ControlAccess::ChildCount(long* count)
{
    if (Wrapped())
        return Standard()->get_accChildCount(count);
    *count = CountChildren();
    return S_OK;
}

HRESULT ControlAccess::Child(VARIANT child, IDispatch** object)
{
    if (Wrapped())
        return Standard()->get_accChild(child, object);
    return ChildId(child) > 0 ? S_FALSE : E_INVALIDARG;  // the items are no objects of their own
}

HRESULT ControlAccess::Name(VARIANT child, BSTR* name)
{
    if (Wrapped())
        return Standard()->get_accName(child, name);
    const long id = ChildId(child);
    if (id < 0)
        return E_INVALIDARG;
    if (id == 0)
        return Standard() ? Standard()->get_accName(child, name) : S_FALSE;
    return Bstr(ChildName(id), name);
}

HRESULT ControlAccess::Value(VARIANT child, BSTR* value)
{
    if (Wrapped())
        return Standard()->get_accValue(child, value);
    const long id = ChildId(child);
    if (id < 0)
        return E_INVALIDARG;
    if (id == 0)
        return Standard() ? Standard()->get_accValue(child, value) : S_FALSE;
    return Bstr(ChildValue(id), value);
}

HRESULT ControlAccess::Description(VARIANT child, BSTR* description)
{
    if (Wrapped()) {
        // Only for a child that the system's object knows: it checked the id.
        const HRESULT hr = Standard()->get_accDescription(child, description);
        if (SUCCEEDED(hr) && (!*description || !**description) && child.vt == VT_I4 &&
            child.lVal != CHILDID_SELF) {
            const std::wstring added = AddedDescription(child.lVal);
            if (!added.empty()) {
                if (*description)
                    m_com.SysFreeString(*description);
                return Bstr(added, description);
            }
        }
        return hr;
    }
    const long id = ChildId(child);
    if (id < 0)
        return E_INVALIDARG;
    if (id == 0)
        return Standard() ? Standard()->get_accDescription(child, description) : S_FALSE;
    return Bstr(ChildDescription(id), description);
}

HRESULT ControlAccess::Role(VARIANT child, VARIANT* role)
{
    if (Wrapped())
        return Standard()->get_accRole(child, role);
    const long id = ChildId(child);
    if (id < 0)
        return E_INVALIDARG;
    return Id(id == 0 ? Role() : ChildRole(id), role);
}

HRESULT ControlAccess::State(VARIANT child, VARIANT* state)
{
    if (Wrapped())
        return Standard()->get_accState(child, state);
    const long id = ChildId(child);
    if (id < 0)
        return E_INVALIDARG;
    if (id == 0)
        return Standard() ? Standard()->get_accState(child, state) : Id(0, state);
    return Id(ChildState(id), state);
}

HRESULT ControlAccess::Help(VARIANT child, BSTR* help)
{
    if (Wrapped() || ChildId(child) == 0)
        return Standard() ? Standard()->get_accHelp(child, help) : S_FALSE;
    return ChildId(child) < 0 ? E_INVALIDARG : S_FALSE;
}

HRESULT ControlAccess::KeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    if (Wrapped() || ChildId(child) == 0)
        return Standard() ? Standard()->get_accKeyboardShortcut(child, shortcut) : S_FALSE;
    return ChildId(child) < 0 ? E_INVALIDARG : S_FALSE;
}

HRESULT ControlAccess::Focus(VARIANT* focus)
{
    if (Wrapped())
        return Standard()->get_accFocus(focus);
    if (GetFocus() != m_hWnd)
        return Id(-1, focus);
    return Id(FocusedChild(), focus);  // 0: the control itself
}

HRESULT ControlAccess::Selection(VARIANT* selection)
{
    if (Wrapped())
        return Standard()->get_accSelection(selection);
    const long id = SelectedChild();
    return Id(id > 0 ? id : -1, selection);
}

HRESULT ControlAccess::DefaultAction(VARIANT child, BSTR* action)
{
    if (Wrapped())
        return Standard()->get_accDefaultAction(child, action);
    const long id = ChildId(child);
    if (id < 0)
        return E_INVALIDARG;
    if (id == 0)
        return Standard() ? Standard()->get_accDefaultAction(child, action) : S_FALSE;
    return Bstr(ChildDefaultAction(id), action);
}

HRESULT ControlAccess::Select(long flags, VARIANT child)
{
    if (Wrapped())
        return Standard()->accSelect(flags, child);
    const long id = ChildId(child);
    if (id < 0)
        return E_INVALIDARG;
    if (flags & SELFLAG_TAKEFOCUS)
        SetFocus(m_hWnd);
    if (id == 0)
        return S_OK;
    return SelectChild(flags, id) ? S_OK : E_INVALIDARG;
}

HRESULT ControlAccess::Location(long* x, long* y, long* cx, long* cy, VARIANT child)
{
    if (Wrapped())
        return Standard()->accLocation(x, y, cx, cy, child);
    const long id = ChildId(child);
    if (id < 0)
        return E_INVALIDARG;
    if (id == 0)
        return Standard() ? Standard()->accLocation(x, y, cx, cy, child) : S_FALSE;
    RECT rect = {};
    if (!ChildRect(id, rect))
        return S_FALSE;
    *x = rect.left;
    *y = rect.top;
    *cx = rect.right - rect.left;
    *cy = rect.bottom - rect.top;
    return S_OK;
}

HRESULT ControlAccess::Navigate(long direction, VARIANT start, VARIANT* end)
{
    if (Wrapped())
        return Standard()->accNavigate(direction, start, end);
    const long id = ChildId(start);
    if (id < 0)
        return E_INVALIDARG;
    if (id == 0 && direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD)
        return Standard() ? Standard()->accNavigate(direction, start, end) : S_FALSE;
    const long to = NavigateFrom(id, direction);
    return Id(to > 0 ? to : -1, end);
}

HRESULT ControlAccess::HitTest(long x, long y, VARIANT* child)
{
    if (Wrapped())
        return Standard()->accHitTest(x, y, child);
    RECT client = {};
    GetClientRect(m_hWnd, &client);
    POINT at = {x, y};
    ScreenToClient(m_hWnd, &at);
    return Id(PtInRect(&client, at) ? ChildAt(at) : -1, child);
}

HRESULT ControlAccess::DoDefaultAction(VARIANT child)
{
    if (Wrapped())
        return Standard()->accDoDefaultAction(child);
    const long id = ChildId(child);
    if (id < 0)
        return E_INVALIDARG;
    if (id == 0)
        return Standard() ? Standard()->accDoDefaultAction(child) : DISP_E_MEMBERNOTFOUND;
    return DoChildDefaultAction(id) ? S_OK : DISP_E_MEMBERNOTFOUND;
}

HRESULT ControlAccess::Children(long skip, ULONG wanted, std::vector<long>& ids)
{
    ids.clear();
    if (Wrapped()) {
        IEnumVARIANT* children = nullptr;
        if (FAILED(Standard()->QueryInterface(__uuidof(IEnumVARIANT), reinterpret_cast<void**>(&children))))
            return E_NOTIMPL;
        std::vector<VARIANT> got(wanted);
        for (VARIANT& v : got)
            v.vt = VT_EMPTY;
        ULONG fetched = 0;
        HRESULT hr = children->Reset();
        if (SUCCEEDED(hr) && skip > 0)
            hr = children->Skip(static_cast<ULONG>(skip));
        if (hr == S_OK && wanted > 0)
            hr = children->Next(wanted, got.data(), &fetched);
        children->Release();
        for (ULONG i = 0; i < fetched && i < wanted; ++i) {
            if (got[i].vt == VT_I4)
                ids.push_back(got[i].lVal);
            m_com.VariantClear(&got[i]);
        }
        return FAILED(hr) ? hr : ids.size() == wanted ? S_OK : S_FALSE;
    }
    ListChildren(skip, wanted, ids);
    return ids.size() == wanted ? S_OK : S_FALSE;
}
