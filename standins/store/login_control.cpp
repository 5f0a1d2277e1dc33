#include "login_control.h"

#include "cache.h"
#include "devices.h"
#include "names.h"
#include "profile.h"
#include "vorlanx.h"

#include <windows.h>

namespace {

LoginControl ReadUncached(const std::string& path)
{
    LoginControl control;
    std::vector<std::string> lines;
    if (!ReadProfileSection(path, "login", lines))
        return control;
    for (const std::string& line : lines) {
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = Trim(line.substr(0, eq));
        const std::string value = ProfileValue(line.substr(eq + 1));
        if (_stricmp(key.c_str(), "access") == 0) {
            if (_stricmp(value.c_str(), "open") == 0)
                control.access = VORLANX_OK;
            else if (_stricmp(value.c_str(), "blocked") == 0)
                control.access = VORLANX_AREA_BLOCKED;
            else if (_stricmp(value.c_str(), "restricted") == 0)
                control.access = VORLANX_AREA_RESTRICTED;
            else if (_stricmp(value.c_str(), "restricted-expired") == 0)
                control.access = VORLANX_AREA_RESTRICTED_EXPIRED;
        } else if (_stricmp(key.c_str(), "readonly") == 0) {
            control.readonly = _stricmp(value.c_str(), "yes") == 0;
        } else if (_stricmp(key.c_str(), "hidden") == 0) {
            control.hidden = _stricmp(value.c_str(), "yes") == 0;
        }
    }
    control.readable = control.access != 0;
    return control;
}

}  // namespace

LoginControl ReadLoginControl(const std::string& path)
{
    // Both the access check and the read-only test of an area read its file during a build.
    CCachePass* pass = CurrentCachePass();
    if (!pass)
        return ReadUncached(path);
    auto it = pass->m_mapLogins.find(path);
    if (it == pass->m_mapLogins.end())
        it = pass->m_mapLogins.emplace(path, ReadUncached(path)).first;
    return it->second;
}

bool MapLoginPath(const char* loginPath, std::string& path)
{
    if (!loginPath)
        return false;
    const std::string text = loginPath;
    const size_t colon = text.find(':');
    if (colon == std::string::npos)
        return false;
    const std::vector<Device> devices = ResolveDevices(text.substr(0, colon).c_str());
    if (devices.empty() || !IsAbsoluteRoot(devices.front().root))
        return false;
    const std::string rest = text.substr(colon + 1);
    // The area part comes from a listing, so it never climbs; refuse a path that does.
    if (("\\" + rest + "\\").find("\\..\\") != std::string::npos ||
        rest.find('/') != std::string::npos)
        return false;
    // The browser writes only a device's first character: "1:" may mean 1, 12 or 13. Of those,
    // the first that has the file.
    path = JoinPath(devices.front().root, rest, AnsiCodePage());
    for (const Device& device : devices) {
        if (!IsAbsoluteRoot(device.root))
            continue;
        const std::string candidate = JoinPath(device.root, rest, AnsiCodePage());
        if (candidate.size() <= kMaxFilePath &&
            GetFileAttributesA(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) {
            path = candidate;
            break;
        }
    }
    return true;
}
