// The library's entry point: its module state and application object, start-up and shut-down.
//
// The C runtime constructs static objects before it calls DllMain, so the module state and the
// application object are not static objects: they live in static storage and are constructed
// here, explicitly and in their order (the module state, then the application object), with the
// module state already current, and destroyed here in the reverse order.
#include "base/runtime_reserve.h"
#include "api/vorlanx_app.h"
#include "framework/module_state.h"
#include "base/no_throw.h"

#include <new>

namespace {

alignas(AFX_MODULE_STATE) unsigned char g_stateStorage[sizeof(AFX_MODULE_STATE)];
alignas(CVorlanxApp) unsigned char g_appStorage[sizeof(CVorlanxApp)];
bool g_attached = false;

AFX_MODULE_STATE* State()
{
    return reinterpret_cast<AFX_MODULE_STATE*>(g_stateStorage);
}

CVorlanxApp* App()
{
    return reinterpret_cast<CVorlanxApp*>(g_appStorage);
}

void DestroyStatics()
{
    AfxRegisterStaticModuleState(nullptr);
    App()->~CVorlanxApp();
    State()->~AFX_MODULE_STATE();
}

BOOL ProcessAttach(HINSTANCE hInstance)
{
    HLOCAL probe = LocalAlloc(LMEM_FIXED, 8192);  // too little memory: refuse to load
    if (!probe)
        return FALSE;
    LocalFree(probe);

    AFX_MODULE_STATE* previous = AfxSetModuleState(State());
    new (State()) AFX_MODULE_STATE();
    new (App()) CVorlanxApp();
    // The framework's initialization: the library is its own instance and resource handle.
    State()->m_hCurrentInstanceHandle = State()->m_hCurrentResourceHandle = hInstance;
    AfxRegisterStaticModuleState(State());

    BOOL loaded = App()->InitInstance();
    if (loaded) {
        // The library joins the resource chain: what a resource library lacks is found here.
        loaded = NoThrow([&] {
            State()->m_resourceChain.push_back(hInstance);
            return TRUE;
        }, FALSE);
    }
    if (!loaded) {
        App()->ExitInstance();
        DestroyStatics();
    }
    g_attached = loaded;
    AfxSetModuleState(previous);
    return loaded;
}

void ProcessDetach()
{
    if (!g_attached)
        return;
    AFX_MODULE_STATE* previous = AfxSetModuleState(State());
    App()->ExitInstance();
    State()->m_resourceChain.clear();
    DestroyStatics();
    g_attached = false;
    AfxSetModuleState(previous);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID reserved)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        return ProcessAttach(hInstance);
    case DLL_PROCESS_DETACH:
        ProcessDetach();
        FreeRuntimeReserve(reserved);
        return TRUE;
    default:  // threads: the framework keeps nothing per thread but the current module state
        return TRUE;
    }
}
