#include "areas/locate.h"

#include "lookup/devices.h"
#include "disk/folders.h"
#include "areas/listed_areas.h"
#include "names/folder_names.h"
#include "names/own_names.h"
#include "servers/servers.h"
#include "vorlanx.h"

std::string StorageFolder(const std::string& root)
{
    return JoinPath(root, "userroot\\storage", AnsiCodePage());
}

int UnreadableCode(const std::string& path)
{
    return IsServerReachable(path) ? VORLANX_ERR_IO : VORLANX_ERR_UNREACHABLE;
}

namespace {

int Locate(const char* device, const char* area, std::string& folder, bool listed)
{
    if (!device || !area)
        return VORLANX_ERR_INVALID_ARGUMENT;
    Device d;
    if (!ResolveDevice(device, d))
        return VORLANX_ERR_NO_DEVICE;
    if (!IsServerReachable(d.root))
        return VORLANX_ERR_UNREACHABLE;
    if (!IsFolderName(area, AnsiCodePage(), true))
        return VORLANX_ERR_INVALID_NAME;
    const std::string storage = StorageFolder(d.root);
    if (JoinPath(storage, area, AnsiCodePage()).size() > kMaxFilePath)
        return VORLANX_ERR_PATH_TOO_LONG;
    std::string actual;
    const Listed listing = listed ? FindListedArea(storage, area, actual) : Listed::unknown;
    // As FindSubFolder: a leftover folder of the store's is never an area.
    const Found found = listing == Listed::unknown ? FindSubFolder(storage, area, actual)
                        : listing == Listed::yes && !IsLeftoverFolder(area) ? Found::yes
                                                                             : Found::no;
    if (found == Found::unreadable)
        return UnreadableCode(storage);
    if (found == Found::no)
        return VORLANX_ERR_NO_AREA;
    folder = JoinPath(storage, actual, AnsiCodePage());
    return VORLANX_OK;
}

}  // namespace

int LocateArea(const char* device, const char* area, std::string& folder)
{
    return Locate(device, area, folder, false);
}

int LocateListedArea(const char* device, const char* area, std::string& folder)
{
    return Locate(device, area, folder, true);
}

int LocateLevel(const std::string& parent, const std::string& level, std::string& actual)
{
    if (!IsFolderName(level, AnsiCodePage(), false))
        return VORLANX_ERR_INVALID_NAME;
    if (JoinPath(parent, level, AnsiCodePage()).size() > kMaxFilePath)
        return VORLANX_ERR_PATH_TOO_LONG;
    switch (FindOwnSubFolder(parent, level, actual)) {
    case Found::yes: return VORLANX_OK;
    case Found::no: return VORLANX_ERR_NO_CATEGORY;
    case Found::unreadable: break;
    }
    return UnreadableCode(parent);
}

int LocateLevels(const std::string& area, const std::vector<std::string>& levels,
                 std::string& folder)
{
    folder = area;
    for (const std::string& level : levels) {
        std::string actual;
        const int code = LocateLevel(folder, level, actual);
        if (code != VORLANX_OK)
            return code;
        folder = JoinPath(folder, actual, AnsiCodePage());
    }
    return VORLANX_OK;
}

int LocateCategory(const char* device, const char* area, const char* category,
                   std::string& parent, std::string& name)
{
    if (!category || !*category)
        return VORLANX_ERR_INVALID_ARGUMENT;
    std::string folder;
    int code = LocateArea(device, area, folder);
    std::vector<std::string> levels = SplitCategoryPath(category, AnsiCodePage());
    const std::string last = levels.back();
    levels.pop_back();
    if (code == VORLANX_OK)
        code = LocateLevels(folder, levels, parent);
    if (code == VORLANX_OK)
        code = LocateLevel(parent, last, name);
    return code;
}
