#include "areas/login_control.h"

#include "areas/cache.h"
#include "lookup/devices.h"
#include "lookup/listing_device.h"
#include "formats/login_keys.h"
#include "names/folder_names.h"
#include "names/own_names.h"
#include "disk/profile.h"
#include "servers/servers.h"
#include "vorlanx.h"

#include <windows.h>

#include <cstring>

LoginControl ReadLoginControlFile(const std::string& path)
{
    std::vector<std::string> lines;
    return ReadProfileSection(path, "login", lines) ? LoginControlOf(lines) : LoginControl();
}

LoginControl LoginControlOf(const std::vector<std::string>& lines)
{
    LoginControl control;
    const LoginKeys keys = ParseLoginKeys(lines);
    switch (keys.access) {
    case LoginAccess::open: control.access = VORLANX_OK; break;
    case LoginAccess::blocked: control.access = VORLANX_AREA_BLOCKED; break;
    case LoginAccess::restricted: control.access = VORLANX_AREA_RESTRICTED; break;
    case LoginAccess::restrictedExpired: control.access = VORLANX_AREA_RESTRICTED_EXPIRED; break;
    case LoginAccess::unknown: break;
    }
    control.readonly = keys.readonly;
    control.hidden = keys.hidden;
    control.readable = control.access != 0;
    return control;
}

std::string LoginFilePath(const std::string& areaFolder)
{
    return JoinPath(areaFolder, kLoginControlFile, AnsiCodePage());
}

namespace {

// The devices that the login path's device part may name, best first. The browser writes only
// a device's first character, so "1:" may mean 1, 12 or 13; it checks a device's areas right
// after it listed them, on the same thread, so where the lookup says which numbered device this
// thread lists, that one is meant.
std::vector<const Device*> LoginPathDevices(const CDeviceTable& devices, const std::string& token)
{
    if (devices.IsAmbiguous(token)) {
        const Device* listing = devices.Find(ListingDeviceOfThread());
        if (listing && listing->name[0] == token[0])
            return {listing};
    }
    return devices.Candidates(token);
}

}  // namespace

LoginControl ReadLoginControl(const std::string& path)
{
    // Both the access check and the read-only test of an area read its file during a build.
    CCachePass* pass = CurrentCachePass();
    if (!pass)
        return ReadLoginControlFile(path);
    auto it = pass->m_mapLogins.find(path);
    if (it == pass->m_mapLogins.end())
        it = pass->m_mapLogins.emplace(path, ReadLoginControlFile(path)).first;
    return it->second;
}

LoginControl PeekLoginControl(const std::string& path)
{
    const CCachePass* pass = CurrentCachePass();
    if (pass && !pass->m_mapLogins.empty()) {
        const auto it = pass->m_mapLogins.find(path);
        if (it != pass->m_mapLogins.end())
            return it->second;
    }
    return ReadLoginControlFile(path);
}

namespace {

// True when a part of path between backslashes is "..", the parts taken as Split takes them.
bool HasParentPart(const char* path, const CodePage& cp)
{
    for (const char *start = path, *p = path;; p = cp.Next(p)) {
        if (*p != '\\' && *p != '\0')
            continue;
        if (p - start == 2 && start[0] == '.' && start[1] == '.')
            return true;
        if (*p == '\0')
            return false;
        start = p + 1;
    }
}

}  // namespace

bool MapLoginPath(const char* loginPath, std::string& path, std::string* root)
{
    if (!loginPath)
        return false;
    // Asked for every area of a listing: the path is taken apart where it stands.
    const char* colon = strchr(loginPath, ':');
    if (!colon)
        return false;
    const std::shared_ptr<const CDeviceTable> table = ReadDevices();
    const std::vector<const Device*> devices =
        LoginPathDevices(*table, std::string(loginPath, colon));
    if (devices.empty() || !IsAbsoluteRoot(devices.front()->root))
        return false;
    const char* rest = colon + 1;
    // The area part comes from a listing, so it never climbs; refuse a path that does.
    if (strchr(rest, '/') || HasParentPart(rest, AnsiCodePage()))
        return false;
    // Not knowing which device is meant, the first of them that has the file.
    path = JoinPath(devices.front()->root, rest, AnsiCodePage());
    if (root)
        *root = devices.front()->root;
    for (size_t i = 0; devices.size() > 1 && i < devices.size(); ++i) {
        if (!IsAbsoluteRoot(devices[i]->root) || !IsServerReachable(devices[i]->root))
            continue;
        const std::string candidate = JoinPath(devices[i]->root, rest, AnsiCodePage());
        if (candidate.size() <= kMaxFilePath &&
            GetFileAttributesA(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) {
            path = candidate;
            if (root)
                *root = devices[i]->root;
            break;
        }
    }
    return true;
}
