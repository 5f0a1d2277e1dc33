// The module state: which module's resources the framework uses. Each module that links the
// framework has one state of its own; the current one is per thread, and an export switches it
// for its whole call with AFX_MAINTAIN_STATE2.
#pragma once

#include <windows.h>

#include <vector>

struct AFX_MODULE_STATE {
    HINSTANCE m_hCurrentInstanceHandle = nullptr;  // the module itself
    HINSTANCE m_hCurrentResourceHandle = nullptr;  // searched first for dialogs, menus, strings
    std::vector<HINSTANCE> m_resourceChain;        // searched next, in order
};

// This module's own state: the one a library's entry point registered, else one whose handles
// are the module the code was linked into.
AFX_MODULE_STATE* AfxGetStaticModuleState();
void AfxRegisterStaticModuleState(AFX_MODULE_STATE* state);
// The calling thread's current state; this module's own when none was made current.
AFX_MODULE_STATE* AfxGetModuleState();
// Makes state current on this thread and returns the previous one (null when there was none).
AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* state);

// Makes a module state current for one scope and restores the caller's at its end.
class AFX_MAINTAIN_STATE2 {
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* state) : m_pPrevious(AfxSetModuleState(state)) {}
    ~AFX_MAINTAIN_STATE2() { AfxSetModuleState(m_pPrevious); }
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

private:
    AFX_MODULE_STATE* m_pPrevious;
};

inline HINSTANCE AfxGetInstanceHandle() { return AfxGetModuleState()->m_hCurrentInstanceHandle; }
inline HINSTANCE AfxGetResourceHandle() { return AfxGetModuleState()->m_hCurrentResourceHandle; }
