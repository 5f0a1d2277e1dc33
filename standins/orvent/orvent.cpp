// ORVENT.dll: the device lookup on real folders. The areas of a device are the folders directly
// under <root>\userroot\storage; on a numbered device every sub-folder of an area, at any depth,
// is listed too, as AREA#CAT#SUB. The order is the file system's: the browser sorts.
#include "external/orvent.h"

#include "../store/devices.h"
#include "../store/folders.h"
#include "../store/locate.h"
#include "../store/names.h"
#include "text/codepage.h"

namespace {

// One device enumeration and, nested in it, one area enumeration at a time. A returned string
// stays valid until the next call of its own enumeration.
std::vector<std::string> g_devices;
size_t g_nextDevice = 0;
std::vector<std::string> g_areas;
size_t g_nextArea = 0;

const char* Next(const std::vector<std::string>& list, size_t& next)
{
    return next < list.size() ? list[next++].c_str() : nullptr;
}

// prefix is a copy: it is often an element of entries, which grows here.
void AddCategories(const std::string& folder, const std::string prefix,
                   std::vector<std::string>& entries)
{
    for (const std::string& sub : SubFolders(folder)) {
        entries.push_back(prefix + "#" + sub);
        AddCategories(JoinPath(folder, sub, AnsiCodePage()), entries.back(), entries);
    }
}

bool IsNumbered(const std::string& device)
{
    return !device.empty() && device[0] >= '0' && device[0] <= '9';
}

}  // namespace

extern "C" {

void __cdecl StoreFailedConnections(CStringList& failed)
{
    try {
        for (const Device& d : ReadDevices())
            if (!IsAbsoluteRoot(d.root) || !IsDirectory(d.root))
                failed.AddTail(d.name.c_str());
    } catch (...) {
    }
}

const char* __cdecl ListFirstDevice(const char* /*server*/, int /*kind*/)
{
    try {
        g_devices.clear();
        g_nextDevice = 0;
        for (const Device& d : ReadDevices())
            g_devices.push_back(d.name);
        return Next(g_devices, g_nextDevice);
    } catch (...) {
        return nullptr;
    }
}

const char* __cdecl ListNextDevice(void)
{
    return Next(g_devices, g_nextDevice);
}

const char* __cdecl ListFirstArea(const char* device)
{
    try {
        g_areas.clear();
        g_nextArea = 0;
        Device d;
        if (!ResolveDevice(device, d))
            return nullptr;
        const std::string storage = StorageFolder(d.root);
        for (const std::string& area : SubFolders(storage)) {
            g_areas.push_back(area);
            if (IsNumbered(d.name))
                AddCategories(JoinPath(storage, area, AnsiCodePage()), area, g_areas);
        }
        return Next(g_areas, g_nextArea);
    } catch (...) {
        return nullptr;
    }
}

const char* __cdecl ListNextArea(void)
{
    return Next(g_areas, g_nextArea);
}

}  // extern "C"
