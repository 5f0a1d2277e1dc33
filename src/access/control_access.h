// What a control shows a screen reader through Microsoft Active Accessibility: the control is
// subclassed, answers WM_GETOBJECT for its client area with an object of the library's own
// (access_object.h), and that object's every question is answered here, on the control's
// thread. Where the system's own object of the control already has children (Windows' tree and
// list), the answers are the system's, and a derived class only adds what it lacks; where it has
// none (Wine's), the derived class answers for the children alone.
#pragma once

#include "access/com_calls.h"
#include "framework/module_state.h"

#include <windows.h>

#include <oleacc.h>

#include <string>
#include <vector>

class AccessLink;

class ControlAccess {
public:
    ControlAccess() = default;
    virtual ~ControlAccess();
    ControlAccess(const ControlAccess&) = delete;
    ControlAccess& operator=(const ControlAccess&) = delete;

    // From the control's creation to its end, which detaches by itself; objects handed out then
    // answer CO_E_OBJNOTCONNECTED.
    void Attach(HWND control);
    void Detach();
    HWND Control() const { return m_hWnd; }

    // The object's questions, shaped as IAccessible's; child 0 is the control itself.
    HRESULT Parent(IDispatch** parent);
    HRESULT ChildCount(long* count);
    HRESULT Child(VARIANT child, IDispatch** object);
    HRESULT Name(VARIANT child, BSTR* name);
    HRESULT Value(VARIANT child, BSTR* value);
    HRESULT Description(VARIANT child, BSTR* description);
    HRESULT Role(VARIANT child, VARIANT* role);
    HRESULT State(VARIANT child, VARIANT* state);
    HRESULT Help(VARIANT child, BSTR* help);
    HRESULT KeyboardShortcut(VARIANT child, BSTR* shortcut);
    HRESULT Focus(VARIANT* focus);
    HRESULT Selection(VARIANT* selection);
    HRESULT DefaultAction(VARIANT child, BSTR* action);
    HRESULT Select(long flags, VARIANT child);
    HRESULT Location(long* x, long* y, long* cx, long* cy, VARIANT child);
    HRESULT Navigate(long direction, VARIANT start, VARIANT* end);
    HRESULT HitTest(long x, long y, VARIANT* child);
    HRESULT DoDefaultAction(VARIANT child);
    // Up to wanted child ids after the first skip, in order; S_FALSE when fewer were left.
    HRESULT Children(long skip, ULONG wanted, std::vector<long>& ids);

protected:
    // The children, as the derived class knows them. ids are > 0.
    virtual long Role() const = 0;              // of the control itself
    virtual long CountChildren() = 0;
    virtual void ListChildren(long skip, ULONG wanted, std::vector<long>& ids) = 0;
    virtual bool IsChild(long id) = 0;
    virtual std::wstring ChildName(long id) = 0;
    virtual std::wstring ChildValue(long) { return {}; }
    virtual std::wstring ChildDescription(long) { return {}; }
    virtual long ChildRole(long id) = 0;
    virtual long ChildState(long id) = 0;
    virtual std::wstring ChildDefaultAction(long) { return {}; }
    virtual bool DoChildDefaultAction(long) { return false; }
    virtual bool ChildRect(long id, RECT& screen) = 0;
    // The neighbour of a child, or of the control's first or last child (from 0); 0 for none.
    virtual long NavigateFrom(long id, long direction) = 0;
    // The child at a point of the control's client area; 0 for the control itself.
    virtual long ChildAt(POINT client) = 0;
    virtual long FocusedChild() = 0;            // 0 when none has the focus
    virtual long SelectedChild() = 0;           // 0 when none is selected
    virtual bool SelectChild(long flags, long id) = 0;
    // What the system's object says of a child, added to where it says nothing.
    virtual std::wstring AddedDescription(long) { return {}; }

    // What the control's window did: its messages after its own handling.
    virtual void Observe(UINT, WPARAM, LPARAM) {}
    virtual void Detached() {}

    // True when the system's object of the control has children of its own, so they are its.
    bool Wrapped();
    // Whether a reader has asked for the control's object yet (COM is loaded only then).
    bool Asked() const { return m_com.Loaded(); }

private:
    // The control's window procedure while attached, of the control's own character set, so
    // that its text messages pass through unconverted.
    template <bool Unicode>
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CallPrevious(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnGetObject(WPARAM wParam);
    HRESULT Bstr(const std::wstring& text, BSTR* out);
    IAccessible* Standard();
    // The id of a child variant: 0 for the control, -1 when it is no child of it.
    long ChildId(const VARIANT& child);

    HWND m_hWnd = nullptr;
    bool m_unicode = false;
    WNDPROC m_previous = nullptr;
    LONG_PTR m_previousUserData = 0;
    UINT m_jobMessage = 0;
    AFX_MODULE_STATE* m_pModuleState = nullptr;
    ComCalls m_com;
    AccessLink* m_link = nullptr;
    IAccessible* m_object = nullptr;    // ours, made at the first question
    IAccessible* m_standard = nullptr;  // the system's
    bool m_standardAsked = false;
    int m_wrapped = -1;                 // not yet known
    bool m_comTried = false;
    bool m_comEntered = false;          // this thread's COM was started here, and is ended here
};
