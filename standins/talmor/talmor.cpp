// talmor.dll: the category store on real folders. A category is a folder below its area's folder
// and its description is category.txt in it (see design.md, "Our category store").
#include "external/talmor.h"

#include "../store/area_lock.h"
#include "../store/cache.h"
#include "../store/description.h"
#include "../store/folders.h"
#include "../store/locate.h"
#include "../store/login_control.h"
#include "../store/names.h"
#include "text/codepage.h"
#include "vorlanx.h"

#include <windows.h>

#include <cstring>
#include <new>

namespace {

// No exception leaves the library: what can throw here is an allocation.
template <typename Body>
int Guarded(Body body)
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return VORLANX_ERR_NO_MEMORY;
    } catch (...) {
        return VORLANX_ERR_IO;
    }
}

// A write to an area, done while the area's lock is held, so that writers of every thread,
// process and machine take their turns. Arguments that name no area take no lock: the write
// itself answers for them.
template <typename Body>
int GuardedWrite(const char* device, const char* area, Body body)
{
    return Guarded([&] {
        std::string folder;
        if (LocateArea(device, area, folder) != VORLANX_OK)
            return body();
        const CAreaLock lock(folder);
        return lock.Result() == VORLANX_OK ? body() : lock.Result();
    });
}

// The record's texts, refused when a field lacks its terminator.
int ReadRecord(const CCategoryData* record, std::string& name, std::string& description)
{
    if (!record || strnlen(record->name, sizeof record->name) == sizeof record->name ||
        strnlen(record->description, sizeof record->description) == sizeof record->description)
        return VORLANX_ERR_INVALID_ARGUMENT;
    name = record->name;
    description = record->description;
    return IsFolderName(name, AnsiCodePage(), false) ? VORLANX_OK : VORLANX_ERR_INVALID_NAME;
}

// Renames a category folder; 1006 when the new name is taken. A change of case alone goes
// through a temporary name, since some file systems take the new spelling for the old folder and
// leave it as it was.
int RenameFolder(const std::string& before, const std::string& after, bool caseOnly)
{
    if (caseOnly) {
        const std::string temp = before + ".~rename";
        if (!MoveFileA(before.c_str(), temp.c_str()))
            return VORLANX_ERR_IO;
        if (!MoveFileA(temp.c_str(), after.c_str())) {
            MoveFileA(temp.c_str(), before.c_str());
            return VORLANX_ERR_IO;
        }
        return VORLANX_OK;
    }
    if (MoveFileA(before.c_str(), after.c_str()))
        return VORLANX_OK;
    const DWORD error = GetLastError();
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? VORLANX_ERR_EXISTS
                                                                       : VORLANX_ERR_IO;
}

}  // namespace

extern "C" {

void __cdecl talmor_startcache(void)
{
    OpenCachePass();
}

void __cdecl talmor_stopcache(void)
{
    CloseCachePass();
}

int __cdecl talmor_IsAreaReadonly(const char* device, const char* area)
{
    return Guarded([&] {
        std::string folder;
        const int code = LocateArea(device, area, folder);
        if (code != VORLANX_OK)
            return code;
        const LoginControl control = ReadLoginControl(folder + "\\login.ctl");
        if (control.hidden)
            return VORLANX_AREA_HIDDEN;
        return control.readonly ? VORLANX_AREA_READONLY : VORLANX_OK;
    });
}

int __cdecl cc_check_trailer_ex(char* loginPath, int /*mode*/, int* first, int* second, int* third)
{
    for (int* out : {first, second, third})
        if (out)
            *out = 0;
    const int code = Guarded([&] {
        std::string path;
        if (!MapLoginPath(loginPath, path))
            return VORLANX_ERR_NO_DEVICE;
        const LoginControl control = ReadLoginControl(path);
        return control.readable ? control.access : VORLANX_ERR_NO_LOGIN_CONTROL;
    });
    // Nobody can log in to an area whose login control cannot be read.
    if (code != VORLANX_OK && code != VORLANX_AREA_BLOCKED && code != VORLANX_AREA_RESTRICTED &&
        code != VORLANX_AREA_RESTRICTED_EXPIRED && second)
        *second = 13;
    return code;
}

int __cdecl talmor_RetrieveCategory(const char* device, const char* area, const char* category,
                                    CCategoryData* record)
{
    return Guarded([&] {
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
    });
}

int __cdecl talmor_NewCategory(const char* device, const char* area, const char* category,
                               CCategoryData* record)
{
    return GuardedWrite(device, area, [&] {
        std::string name, description, parent;
        int code = ReadRecord(record, name, description);
        if (code == VORLANX_OK)
            code = LocateFolder(device, area, category, parent);
        if (code != VORLANX_OK)
            return code;
        const std::string folder = JoinPath(parent, name, AnsiCodePage());
        if (!CreateDirectoryA(folder.c_str(), nullptr))
            return GetLastError() == ERROR_ALREADY_EXISTS ? VORLANX_ERR_EXISTS : VORLANX_ERR_IO;
        code = WriteDescription(folder, description);
        if (code != VORLANX_OK)
            RemoveDirectoryA(folder.c_str());  // nothing half-made stays behind
        return code;
    });
}

int __cdecl talmor_EditCategory(const char* device, const char* area, const char* category,
                                CCategoryData* record)
{
    return GuardedWrite(device, area, [&] {
        std::string name, description, parent, current;
        int code = ReadRecord(record, name, description);
        if (code == VORLANX_OK)
            code = LocateCategory(device, area, category, parent, current);
        if (code != VORLANX_OK)
            return code;
        const CodePage& cp = AnsiCodePage();
        const std::string before = JoinPath(parent, current, cp);
        const std::string after = JoinPath(parent, name, cp);
        const bool rename = name != current;
        if (rename) {
            code = RenameFolder(before, after, _stricmp(name.c_str(), current.c_str()) == 0);
            if (code != VORLANX_OK)
                return code;
        }
        code = WriteDescription(after, description);
        if (code != VORLANX_OK && rename)
            MoveFileA(after.c_str(), before.c_str());  // all or nothing
        return code;
    });
}

int __cdecl talmor_DeleteCategory(const char* device, const char* area, const char* category)
{
    return GuardedWrite(device, area, [&] {
        std::string parent, name;
        const int code = LocateCategory(device, area, category, parent, name);
        if (code != VORLANX_OK)
            return code;
        const std::string folder = JoinPath(parent, name, AnsiCodePage());
        std::vector<std::string> files;
        bool hasSubFolders = false;
        if (!ListFiles(folder, files, hasSubFolders))
            return VORLANX_ERR_IO;
        if (hasSubFolders)
            return VORLANX_ERR_NOT_EMPTY;
        for (const std::string& file : files)
            if (_stricmp(file.c_str(), kDescriptionFile) != 0 && !IsDescriptionLeftover(file))
                return VORLANX_ERR_NOT_EMPTY;
        for (const std::string& file : files)
            if (!DeleteFileA((folder + "\\" + file).c_str()))
                return VORLANX_ERR_IO;
        if (!RemoveDirectoryA(folder.c_str()))
            return GetLastError() == ERROR_DIR_NOT_EMPTY ? VORLANX_ERR_NOT_EMPTY : VORLANX_ERR_IO;
        return VORLANX_OK;
    });
}

}  // extern "C"
