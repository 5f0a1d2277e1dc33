#include "locate.h"

#include "devices.h"
#include "folders.h"
#include "names.h"
#include "vorlanx.h"

std::string StorageFolder(const std::string& root)
{
    return JoinPath(root, "userroot\\storage", AnsiCodePage());
}

int LocateArea(const char* device, const char* area, std::string& folder)
{
    if (!device || !area)
        return VORLANX_ERR_INVALID_ARGUMENT;
    Device d;
    if (!ResolveDevice(device, d))
        return VORLANX_ERR_NO_DEVICE;
    if (!IsFolderName(area, AnsiCodePage(), true))
        return VORLANX_ERR_INVALID_NAME;
    const std::string storage = StorageFolder(d.root);
    std::string actual;
    if (!FindSubFolder(storage, area, actual))
        return VORLANX_ERR_NO_AREA;
    folder = JoinPath(storage, actual, AnsiCodePage());
    return VORLANX_OK;
}

int LocateCategory(const char* device, const char* area, const char* category,
                   std::string& parent, std::string& name)
{
    if (!category || !*category)
        return VORLANX_ERR_INVALID_ARGUMENT;
    int code = LocateArea(device, area, parent);
    if (code != VORLANX_OK)
        return code;
    const std::vector<std::string> levels = SplitCategoryPath(category, AnsiCodePage());
    for (size_t i = 0; i < levels.size(); ++i) {
        if (!IsFolderName(levels[i], AnsiCodePage(), false))
            return VORLANX_ERR_INVALID_NAME;
        if (!FindSubFolder(parent, levels[i], name))
            return VORLANX_ERR_NO_CATEGORY;
        if (i + 1 < levels.size())
            parent = JoinPath(parent, name, AnsiCodePage());
    }
    return VORLANX_OK;
}

int LocateFolder(const char* device, const char* area, const char* category, std::string& folder)
{
    if (!category || !*category)
        return LocateArea(device, area, folder);
    std::string name;
    const int code = LocateCategory(device, area, category, folder, name);
    if (code == VORLANX_OK)
        folder = JoinPath(folder, name, AnsiCodePage());
    return code;
}
