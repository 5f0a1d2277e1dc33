#include "site/storage_ini.h"

#include "site/profile_text.h"

#include <windows.h>

std::string ModuleFolder()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ModuleFolder), &module);
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return std::string();
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string StorageIniPath()
{
    return ModuleFolder() + "\\storage.ini";
}

std::string ReadOption(const char* key)
{
    char value[1024] = {};  // room for a path, such as the trace's
    const std::string ini = StorageIniPath();
    if (ini.size() < MAX_PATH)  // what the ANSI profile functions take
        GetPrivateProfileStringA("options", key, "", value, sizeof value, ini.c_str());
    return ProfileValue(value);
}
