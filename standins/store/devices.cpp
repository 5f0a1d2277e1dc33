#include "devices.h"

#include "cache.h"
#include "names.h"
#include "profile.h"

#include <windows.h>

#include <set>

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
    std::set<std::string> named;
    std::vector<std::string> lines;
    ReadProfileSection(ini, "devices", lines);
    for (const std::string& line : lines) {
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        Device d{Trim(line.substr(0, eq)), ProfileValue(line.substr(eq + 1))};
        // A name said again is still the first line's device, so it is listed once.
        if (!d.name.empty() && named.insert(DeviceKey(d.name)).second)
            devices.push_back(d);
    }
    return devices;
}

std::vector<Device> LogicalDrives()
{
    std::vector<Device> devices;
    char drives[4 * 26 + 2] = {};
    const DWORD n = GetLogicalDriveStringsA(sizeof drives - 1, drives);
    if (n == 0 || n >= sizeof drives - 1)
        return devices;
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
    // A device without an absolute root is still the one its name names (the name must not fall
    // through to another device), but nothing is ever found on it.
    const std::vector<Device> found = ResolveDevices(token);
    if (found.empty() || !IsAbsoluteRoot(found.front().root))
        return false;
    device = found.front();
    return true;
}
