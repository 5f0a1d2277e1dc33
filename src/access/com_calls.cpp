#include "access/com_calls.h"

#include <initializer_list>

namespace {

template <typename Function>
bool Find(HMODULE module, const char* name, Function& function)
{
    function = module ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(
                            GetProcAddress(module, name)))
                      : nullptr;
    return function != nullptr;
}

}  // namespace

bool ComCalls::Load()
{
    if (Loaded())
        return true;
    m_ole32 = LoadLibraryW(L"ole32.dll");
    m_oleaut32 = LoadLibraryW(L"oleaut32.dll");
    m_oleacc = LoadLibraryW(L"oleacc.dll");
    if (Find(m_ole32, "CoInitializeEx", CoInitializeEx) &&
        Find(m_ole32, "CoUninitialize", CoUninitialize) &&
        Find(m_ole32, "CoDisconnectObject", CoDisconnectObject) &&
        Find(m_oleaut32, "SysAllocStringLen", SysAllocStringLen) &&
        Find(m_oleaut32, "SysFreeString", SysFreeString) &&
        Find(m_oleaut32, "VariantClear", VariantClear) &&
        Find(m_oleacc, "LresultFromObject", LresultFromObject) &&
        Find(m_oleacc, "CreateStdAccessibleObject", CreateStdAccessibleObject))
        return true;
    Free();
    return false;
}

void ComCalls::Free()
{
    for (HMODULE* module : {&m_oleacc, &m_oleaut32, &m_ole32}) {
        if (*module)
            FreeLibrary(*module);
        *module = nullptr;
    }
    CoInitializeEx = nullptr;
    CoUninitialize = nullptr;
    CoDisconnectObject = nullptr;
    LresultFromObject = nullptr;
    CreateStdAccessibleObject = nullptr;
    SysAllocStringLen = nullptr;
    SysFreeString = nullptr;
    VariantClear = nullptr;
}
