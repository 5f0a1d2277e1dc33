// The half of CString that needs the module's resources.
#include "framework/cstring.h"

#include "framework/resources.h"

namespace {

// A string resource as the ANSI code page writes it; false when the module has none (an empty
// string counts as none, as the string table cannot tell them apart).
bool LoadStringFrom(HINSTANCE module, unsigned id, CString& out)
{
    const wchar_t* text = nullptr;
    const int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text)
        return false;
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return false;
    std::string ansi(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, ansi.data(), bytes, nullptr, nullptr);
    out = CString(ansi.data(), bytes);
    return true;
}

}  // namespace

bool CString::LoadString(unsigned id)
{
    Empty();
    return ForEachResourceModule([&](HINSTANCE module) { return LoadStringFrom(module, id, *this); });
}
