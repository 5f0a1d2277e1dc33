// The COM and accessibility calls that the library needs only once a screen reader asks: ole32,
// oleaut32 and oleacc are loaded then, by the control that was asked, and freed with it, so a
// host without a screen reader loads nothing more than before and vorlanx.dll imports none of
// them.
#pragma once

#include <windows.h>

#include <oleacc.h>

class ComCalls {
public:
    ComCalls() = default;
    ~ComCalls() { Free(); }
    ComCalls(const ComCalls&) = delete;
    ComCalls& operator=(const ComCalls&) = delete;

    // True once every call is there; a second call costs nothing.
    bool Load();
    bool Loaded() const { return CreateStdAccessibleObject != nullptr; }
    void Free();

    HRESULT(WINAPI* CoInitializeEx)(void*, DWORD) = nullptr;
    void(WINAPI* CoUninitialize)() = nullptr;
    HRESULT(WINAPI* CoDisconnectObject)(IUnknown*, DWORD) = nullptr;
    LRESULT(WINAPI* LresultFromObject)(REFIID, WPARAM, IUnknown*) = nullptr;
    HRESULT(WINAPI* CreateStdAccessibleObject)(HWND, LONG, REFIID, void**) = nullptr;
    BSTR(WINAPI* SysAllocStringLen)(const OLECHAR*, UINT) = nullptr;
    void(WINAPI* SysFreeString)(BSTR) = nullptr;
    HRESULT(WINAPI* VariantClear)(VARIANTARG*) = nullptr;

private:
    HMODULE m_ole32 = nullptr;
    HMODULE m_oleaut32 = nullptr;
    HMODULE m_oleacc = nullptr;
};
