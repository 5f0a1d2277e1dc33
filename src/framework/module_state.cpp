#include "framework/module_state.h"

namespace {

thread_local AFX_MODULE_STATE* t_pCurrent = nullptr;
AFX_MODULE_STATE* g_pRegistered = nullptr;

HINSTANCE ThisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

}  // namespace

void AfxRegisterStaticModuleState(AFX_MODULE_STATE* state)
{
    g_pRegistered = state;
}

AFX_MODULE_STATE* AfxGetStaticModuleState()
{
    if (g_pRegistered)
        return g_pRegistered;
    static AFX_MODULE_STATE state = [] {
        AFX_MODULE_STATE s;
        s.m_hCurrentInstanceHandle = s.m_hCurrentResourceHandle = ThisModule();
        s.m_resourceChain.push_back(s.m_hCurrentInstanceHandle);
        return s;
    }();
    return &state;
}

AFX_MODULE_STATE* AfxGetModuleState()
{
    return t_pCurrent ? t_pCurrent : AfxGetStaticModuleState();
}

AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* state)
{
    AFX_MODULE_STATE* previous = t_pCurrent;
    t_pCurrent = state;
    return previous;
}
