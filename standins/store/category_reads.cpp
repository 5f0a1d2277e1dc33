// The store's answers that read: an area's status and a category's record.
#include "category_store.h"

#include "description.h"
#include "locate.h"
#include "login_control.h"
#include "names.h"
#include "own_names.h"
#include "servers.h"
#include "vorlanx.h"

#include <cstring>

int AreaReadOnlyStatus(const char* device, const char* area)
{
    std::string folder;
    const int code = LocateArea(device, area, folder);
    if (code != VORLANX_OK)
        return code;
    const LoginControl control =
        ReadLoginControl(JoinPath(folder, kLoginControlFile, AnsiCodePage()));
    if (control.hidden)
        return VORLANX_AREA_HIDDEN;
    return control.readonly ? VORLANX_AREA_READONLY : VORLANX_OK;
}

int CheckLoginControl(const char* loginPath)
{
    std::string path;
    if (!MapLoginPath(loginPath, path))
        return VORLANX_ERR_NO_DEVICE;
    // Nobody can log in to an area on a server that does not answer.
    if (!IsServerReachable(path))
        return VORLANX_ERR_NO_LOGIN_CONTROL;
    const LoginControl control = ReadLoginControl(path);
    return control.readable ? control.access : VORLANX_ERR_NO_LOGIN_CONTROL;
}

int RetrieveCategory(const char* device, const char* area, const char* category,
                     CCategoryData* record)
{
    if (!record)
        return VORLANX_ERR_INVALID_ARGUMENT;
    std::string parent, name, description;
    int code = LocateCategory(device, area, category, parent, name);
    if (code != VORLANX_OK)
        return code;
    if (name.size() >= sizeof record->name)
        return VORLANX_ERR_NAME_TOO_LONG;
    code = ReadDescription(JoinPath(parent, name, AnsiCodePage()), description);
    if (code != VORLANX_OK)
        return code;
    memcpy(record->name, name.c_str(), name.size() + 1);
    memcpy(record->description, description.c_str(), description.size() + 1);
    return VORLANX_OK;
}
