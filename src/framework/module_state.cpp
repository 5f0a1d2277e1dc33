#include "framework/module_state.h"

namespace {

// Each thread's current module state, in a TLS slot of the library's own that goes with the
// library. Not thread_local: that would start the runtime's thread support, which takes a TLS
// slot of the process on each load and never gives it back, so a host that loaded and freed
// the library a few hundred times could not load it again.
DWORD g_slot = TLS_OUT_OF_INDEXES;
struct CSlotOwner {
    CSlotOwner() { g_slot = TlsAlloc(); }
    ~CSlotOwner()
    {
        if (g_slot != TLS_OUT_OF_INDEXES)
            TlsFree(g_slot);
        g_slot = TLS_OUT_OF_INDEXES;
    }
} g_slotOwner;

AFX_MODULE_STATE* Current()
{
    return g_slot == TLS_OUT_OF_INDEXES ? nullptr
                                        : static_cast<AFX_MODULE_STATE*>(TlsGetValue(g_slot));
}

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
    AFX_MODULE_STATE* current = Current();
    return current ? current : AfxGetStaticModuleState();
}

AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* state)
{
    AFX_MODULE_STATE* previous = Current();
    if (g_slot != TLS_OUT_OF_INDEXES)
        TlsSetValue(g_slot, state);
    return previous;
}
