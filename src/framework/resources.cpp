#include "framework/resources.h"

HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type)
{
    HINSTANCE found = nullptr;
    if (ForEachResourceModule([&](HINSTANCE module) {
            found = module;
            return FindResourceA(module, name, type) != nullptr;
        }))
        return found;
    return AfxGetResourceHandle();
}
