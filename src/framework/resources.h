// Resource look-up: under the current module state's resource handle first, then along its
// resource chain.
#pragma once

#include "framework/module_state.h"

#include <windows.h>

// The module that holds the resource; the resource handle when no module does.
HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type);

// Calls visit(module) for each module to search, in order, until one answers true; true then.
template <typename Visit>
bool ForEachResourceModule(Visit visit)
{
    const AFX_MODULE_STATE* state = AfxGetModuleState();
    if (state->m_hCurrentResourceHandle && visit(state->m_hCurrentResourceHandle))
        return true;
    for (HINSTANCE module : state->m_resourceChain)
        if (module != state->m_hCurrentResourceHandle && visit(module))
            return true;
    return false;
}
