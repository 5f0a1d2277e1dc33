#include "access/access_object.h"

#include "access/control_access.h"
#include "base/no_throw.h"

#include <new>
#include <vector>

HRESULT AccessLink::Send(Job& sent)
{
    HWND control = static_cast<HWND>(
        InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(&m_control), nullptr,
                                          nullptr));
    if (!control)
        return CO_E_OBJNOTCONNECTED;
    DWORD_PTR answered = 0;
    // On the control's thread this is a plain call; from another it waits while the control's
    // thread answers, but not on a thread that has stopped answering.
    if (!SendMessageTimeoutW(control, m_jobMessage, 0, reinterpret_cast<LPARAM>(&sent),
                             SMTO_ABORTIFHUNG, 10000, &answered) ||
        answered != 1)
        return CO_E_OBJNOTCONNECTED;
    return sent.result;
}

namespace {

class AccessObject final : public IAccessible, public IEnumVARIANT {
public:
    explicit AccessObject(AccessLink* link) : m_link(link) { m_link->AddRef(); }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible))
            *object = static_cast<IAccessible*>(this);
        else if (riid == __uuidof(IEnumVARIANT))
            *object = static_cast<IEnumVARIANT*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG refs = InterlockedDecrement(&m_refs);
        if (refs == 0) {
            m_link->Release();
            delete this;
        }
        return static_cast<ULONG>(refs);
    }

    // IDispatch: the interface is reached through its own methods only.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        if (info)
            *info = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // IAccessible
    STDMETHODIMP get_accParent(IDispatch** parent) override
    {
        return Out(parent, [&](ControlAccess& c) { return c.Parent(parent); });
    }
    STDMETHODIMP get_accChildCount(long* count) override
    {
        return Out(count, [&](ControlAccess& c) { return c.ChildCount(count); });
    }
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override
    {
        return Out(object, [&](ControlAccess& c) { return c.Child(child, object); });
    }
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override
    {
        return Out(name, [&](ControlAccess& c) { return c.Name(child, name); });
    }
    STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override
    {
        return Out(value, [&](ControlAccess& c) { return c.Value(child, value); });
    }
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override
    {
        return Out(description, [&](ControlAccess& c) { return c.Description(child, description); });
    }
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override
    {
        return Out(role, [&](ControlAccess& c) { return c.Role(child, role); });
    }
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override
    {
        return Out(state, [&](ControlAccess& c) { return c.State(child, state); });
    }
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override
    {
        return Out(help, [&](ControlAccess& c) { return c.Help(child, help); });
    }
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT, long* topic) override
    {
        if (file)
            *file = nullptr;
        if (topic)
            *topic = 0;
        return DISP_E_MEMBERNOTFOUND;
    }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return Out(shortcut, [&](ControlAccess& c) { return c.KeyboardShortcut(child, shortcut); });
    }
    STDMETHODIMP get_accFocus(VARIANT* focus) override
    {
        return Out(focus, [&](ControlAccess& c) { return c.Focus(focus); });
    }
    STDMETHODIMP get_accSelection(VARIANT* selection) override
    {
        return Out(selection, [&](ControlAccess& c) { return c.Selection(selection); });
    }
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return Out(action, [&](ControlAccess& c) { return c.DefaultAction(child, action); });
    }
    STDMETHODIMP accSelect(long flags, VARIANT child) override
    {
        return m_link->Run([&](ControlAccess& c) { return c.Select(flags, child); });
    }
    STDMETHODIMP accLocation(long* x, long* y, long* cx, long* cy, VARIANT child) override
    {
        if (!x || !y || !cx || !cy)
            return E_POINTER;
        *x = *y = *cx = *cy = 0;
        return m_link->Run([&](ControlAccess& c) { return c.Location(x, y, cx, cy, child); });
    }
    STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        return Out(end, [&](ControlAccess& c) { return c.Navigate(direction, start, end); });
    }
    STDMETHODIMP accHitTest(long x, long y, VARIANT* child) override
    {
        return Out(child, [&](ControlAccess& c) { return c.HitTest(x, y, child); });
    }
    STDMETHODIMP accDoDefaultAction(VARIANT child) override
    {
        return m_link->Run([&](ControlAccess& c) { return c.DoDefaultAction(child); });
    }
    STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

    // IEnumVARIANT: the children in order; the position is this object's.
    STDMETHODIMP Next(ULONG wanted, VARIANT* out, ULONG* fetched) override
    {
        if (fetched)
            *fetched = 0;
        if (!out || (wanted > 1 && !fetched))
            return E_POINTER;
        std::vector<long> ids;
        const long from = m_position;
        const HRESULT hr = m_link->Run([&](ControlAccess& c) { return c.Children(from, wanted, ids); });
        if (FAILED(hr))
            return hr;
        for (size_t i = 0; i < ids.size(); ++i) {
            out[i].vt = VT_I4;
            out[i].lVal = ids[i];
        }
        m_position += static_cast<long>(ids.size());
        if (fetched)
            *fetched = static_cast<ULONG>(ids.size());
        return ids.size() == wanted ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override
    {
        long total = 0;
        const HRESULT hr = m_link->Run([&](ControlAccess& c) { return c.ChildCount(&total); });
        if (FAILED(hr))
            return hr;
        const long left = total - m_position;
        if (static_cast<long long>(count) > left) {
            m_position = total;
            return S_FALSE;
        }
        m_position += static_cast<long>(count);
        return S_OK;
    }
    STDMETHODIMP Reset() override
    {
        m_position = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnumVARIANT** copy) override
    {
        if (!copy)
            return E_POINTER;
        auto* clone = new (std::nothrow) AccessObject(m_link);
        if (!clone) {
            *copy = nullptr;
            return E_OUTOFMEMORY;
        }
        clone->m_position = m_position;
        *copy = clone;
        return S_OK;
    }

private:
    ~AccessObject() = default;

    // A question with one answer through out: the answer is cleared first, so that a failure
    // never leaves the caller something to free.
    template <typename T, typename Body>
    HRESULT Out(T* out, Body job)
    {
        if (!out)
            return E_POINTER;
        Clear(out);
        return m_link->Run(job);
    }
    static void Clear(long* out) { *out = 0; }
    static void Clear(BSTR* out) { *out = nullptr; }
    static void Clear(IDispatch** out) { *out = nullptr; }
    static void Clear(VARIANT* out) { out->vt = VT_EMPTY; }

    AccessLink* m_link;
    LONG volatile m_refs = 1;
    long m_position = 0;
};

}  // namespace

IAccessible* NewAccessObject(AccessLink* link)
{
    return new (std::nothrow) AccessObject(link);
}
