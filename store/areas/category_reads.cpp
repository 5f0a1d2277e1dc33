// The store's answers that read: an area's status and a category's record.
#include "category_store.h"

#include "disk/description.h"
#include "areas/listed_areas.h"
#include "areas/locate.h"
#include "areas/login_control.h"
#include "names/folder_names.h"
#include "names/own_names.h"
#include "servers/servers.h"
#include "text/host_names.h"
#include "vorlanx.h"

#include <cstring>
#include <string_view>

namespace {

// The area entry of path when it is <storage>\ENTRY\login.ctl, as the browser writes it, with
// an entry of ASCII bytes only (a double-byte name's trail byte may be a '\'). Compared where
// it stands: asked for every area of a listing.
bool LoginEntry(std::string_view storage, std::string_view path, std::string& entry)
{
    const std::string_view file = kLoginControlFile;
    const size_t head = storage.size() + 1, tail = file.size() + 1;
    if (path.size() <= head + tail || !SameName(path.substr(0, storage.size()), storage) ||
        path[storage.size()] != '\\' || path[path.size() - tail] != '\\' ||
        !SameName(path.substr(path.size() - file.size()), file))
        return false;
    const std::string_view name = path.substr(head, path.size() - head - tail);
    for (const char c : name)
        if (static_cast<unsigned char>(c) >= 0x80 || c == '\\' || c == '/')
            return false;
    entry.assign(name);
    return true;
}

}  // namespace

int AreaReadOnlyStatus(const char* device, const char* area)
{
    std::string folder;
    const int code = LocateListedArea(device, area, folder);
    if (code != VORLANX_OK)
        return code;
    const LoginControl control = ReadLoginControl(LoginFilePath(folder));
    if (control.hidden)
        return VORLANX_AREA_HIDDEN;
    return control.readonly ? VORLANX_AREA_READONLY : VORLANX_OK;
}

int CheckLoginControl(const char* loginPath)
{
    std::string path, root;
    if (!MapLoginPath(loginPath, path, &root))
        return VORLANX_ERR_NO_DEVICE;
    // Bytes that are not exactly a name of the file system name no area, so no login control.
    if (!IsExactHostName(loginPath))
        return VORLANX_ERR_NO_LOGIN_CONTROL;
    // Nobody can log in to an area on a server that does not answer.
    if (!IsServerReachable(path))
        return VORLANX_ERR_NO_LOGIN_CONTROL;
    // Inside a pass the area is found among those the pass read: an entry that is no folder
    // there has no file to read, and a listed one's file has one name for both checks. An
    // area's entry comes from a listing of the same folder, so its file is read where it is
    // named until the pass reads the folder anyway (for a read-only test) or an entry is a
    // category (AREA#CAT): no folder has that name, and the system would look for it among
    // all the areas, a search of the whole folder for each such entry.
    const std::string storage = StorageFolder(root);
    std::string entry, actual;
    const LoginControl* listed = nullptr;
    if (LoginEntry(storage, path, entry) &&
        (entry.find('#') != std::string::npos || IsStorageListed(storage))) {
        switch (FindListedArea(storage, entry, actual, &listed)) {
        case Listed::no: return VORLANX_ERR_NO_LOGIN_CONTROL;
        case Listed::yes:
            if (listed)
                return listed->readable ? listed->access : VORLANX_ERR_NO_LOGIN_CONTROL;
            path = LoginFilePath(JoinPath(storage, actual, AnsiCodePage()));
            break;
        case Listed::unknown: break;
        }
    }
    const LoginControl control = PeekLoginControl(path);
    return control.readable ? control.access : VORLANX_ERR_NO_LOGIN_CONTROL;
}

namespace {

int ReadCategory(const char* device, const char* area, const char* category,
                 CCategoryData* record)
{
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

}  // namespace

int RetrieveCategory(const char* device, const char* area, const char* category,
                     CCategoryData* record)
{
    if (!record)
        return VORLANX_ERR_INVALID_ARGUMENT;
    // A category that a writer renames or deletes while it is read may fail a read part way (its
    // folder or file caught between two names): a new look tells that from a folder the system
    // cannot read, which fails every time.
    int code = VORLANX_ERR_IO;
    for (int tries = 0; tries < 3 && code == VORLANX_ERR_IO; ++tries)
        code = ReadCategory(device, area, category, record);
    return code;
}
