#include "devices.h"

#include "cache.h"
#include "names.h"

#include <windows.h>

namespace {

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

std::vector<Device> ReadStorageIni(const std::string& ini)
{
    std::vector<Device> devices;
    std::string section(32767, '\0');
    const DWORD n = GetPrivateProfileSectionA("devices", section.data(),
                                              static_cast<DWORD>(section.size()), ini.c_str());
    for (const char* line = section.c_str(); line < section.c_str() + n && *line;
         line += strlen(line) + 1) {
        const std::string text = line;
        const size_t eq = text.find('=');
        if (eq == std::string::npos)
            continue;
        Device d{Trim(text.substr(0, eq)), Trim(text.substr(eq + 1))};
        if (!d.name.empty())
            devices.push_back(d);
    }
    return devices;
}

std::vector<Device> LogicalDrives()
{
    std::vector<Device> devices;
    char drives[4 * 26 + 2] = {};
    GetLogicalDriveStringsA(sizeof drives - 1, drives);
    for (const char* d = drives; *d; d += strlen(d) + 1)
        devices.push_back(Device{std::string(d, 2), d});
    return devices;
}

std::vector<Device> ReadDevicesUncached()
{
    const std::string ini = ModuleFolder() + "\\storage.ini";
    if (GetFileAttributesA(ini.c_str()) == INVALID_FILE_ATTRIBUTES)
        return LogicalDrives();
    return ReadStorageIni(ini);
}

}  // namespace

std::vector<Device> ReadDevices()
{
    CCachePass* pass = CurrentCachePass();
    if (!pass)
        return ReadDevicesUncached();
    if (!pass->m_bDevicesRead) {
        pass->m_vecDevices = ReadDevicesUncached();
        pass->m_bDevicesRead = true;
    }
    return pass->m_vecDevices;
}

std::vector<Device> ResolveDevices(const char* token)
{
    std::vector<Device> found;
    if (!token)
        return found;
    const std::vector<Device> devices = ReadDevices();
    std::vector<std::string> names;
    for (const Device& d : devices)
        names.push_back(d.name);
    for (int i : FindDevices(names, token))
        found.push_back(devices[static_cast<size_t>(i)]);
    return found;
}

bool ResolveDevice(const char* token, Device& device)
{
    const std::vector<Device> found = ResolveDevices(token);
    if (found.empty())
        return false;
    device = found.front();
    return true;
}
