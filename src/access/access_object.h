// The accessible object that a control hands out: a COM object (IAccessible, and IEnumVARIANT for
// its children) that holds only a weak link to its control. Whatever thread a question arrives on,
// it is answered on the control's own thread by ControlAccess; once the control has gone, every
// question answers CO_E_OBJNOTCONNECTED and nothing of the dialog is touched.
#pragma once

#include <windows.h>

#include <oleacc.h>

class ControlAccess;

// Shared by a control and its objects; lives as long as the last of them.
class AccessLink {
public:
    AccessLink(HWND control, UINT jobMessage) : m_control(control), m_jobMessage(jobMessage) {}
    void AddRef() { InterlockedIncrement(&m_refs); }
    void Release()
    {
        if (InterlockedDecrement(&m_refs) == 0)
            delete this;
    }
    // On the control's thread, as the control goes.
    void Cut() { InterlockedExchangePointer(reinterpret_cast<void* volatile*>(&m_control), nullptr); }

    // The message that carries a job to the control's window (the same in every module of the
    // process), and the job: the window runs it only when it is its link's.
    static UINT JobMessage() { return RegisterWindowMessageW(L"vorlanx.access.job"); }
    struct Job {
        AccessLink* link;
        HRESULT (*call)(void* job, ControlAccess& control);
        void* job;
        HRESULT result;
    };

    // Runs job(ControlAccess&) on the control's thread; allocates nothing.
    template <typename Body>
    HRESULT Run(Body job)
    {
        Job sent = {this, [](void* body, ControlAccess& control) {
                        return (*static_cast<Body*>(body))(control);
                    },
                    &job, CO_E_OBJNOTCONNECTED};
        return Send(sent);
    }

private:
    ~AccessLink() = default;
    HRESULT Send(Job& job);
    HWND volatile m_control;
    const UINT m_jobMessage;
    LONG volatile m_refs = 1;
};

// A new object on the link, with one reference for the caller; null when memory is short.
IAccessible* NewAccessObject(AccessLink* link);
