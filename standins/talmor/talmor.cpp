// talmor.dll: the category store on real folders. A category is a folder below its area's folder
// and its description is category.txt in it (see design.md, "Our category store").
#include "external/talmor.h"

#include "../store/area_lock.h"
#include "../store/cache.h"
#include "../store/description.h"
#include "../store/folders.h"
#include "../store/leftovers.h"
#include "../store/locate.h"
#include "../store/login_control.h"
#include "../store/names.h"
#include "framework/no_throw.h"
#include "text/codepage.h"
#include "vorlanx.h"

#include <windows.h>

#include <cstring>
#include <new>
#include <optional>

namespace {

// No exception leaves the library: what can throw here is an allocation.
template <typename Body>
int Guarded(Body body)
{
    return NoThrow(body, VORLANX_ERR_IO, VORLANX_ERR_NO_MEMORY);
}

// The record's texts, refused when a field lacks its terminator. A name of the store's own
// temporary folders is no category name.
int ReadRecord(const CCategoryData* record, std::string& name, std::string& description)
{
    if (!record || strnlen(record->name, sizeof record->name) == sizeof record->name ||
        strnlen(record->description, sizeof record->description) == sizeof record->description)
        return VORLANX_ERR_INVALID_ARGUMENT;
    name = record->name;
    description = record->description;
    return IsFolderName(name, AnsiCodePage(), false) && !IsRenameLeftover(name)
               ? VORLANX_OK
               : VORLANX_ERR_INVALID_NAME;
}

// Writes respect the area's login control. When several refusals apply, the first of these
// answers: no readable login.ctl, hidden, blocked, restriction expired, read-only.
int CheckWritable(const std::string& area)
{
    const std::string path = area + "\\login.ctl";
    if (path.size() > kMaxFilePath)
        return VORLANX_ERR_PATH_TOO_LONG;
    const LoginControl control = ReadLoginControl(path);
    if (!control.readable)
        return VORLANX_ERR_NO_LOGIN_CONTROL;
    if (control.hidden)
        return VORLANX_AREA_HIDDEN;
    if (control.access == VORLANX_AREA_BLOCKED || control.access == VORLANX_AREA_RESTRICTED_EXPIRED)
        return control.access;
    return control.readonly ? VORLANX_AREA_READONLY : VORLANX_OK;
}

// True when something in parent other than the folder self already carries name, compared as
// the file system compares (a case-sensitive disk may hold both CAT and cat).
bool IsTaken(const std::string& parent, const std::string& name, const std::string& self)
{
    std::vector<std::string> files, folders;
    ListEntries(parent, files, folders);
    files.insert(files.end(), folders.begin(), folders.end());
    for (const std::string& entry : files)
        if (entry != self && SameName(entry, name))
            return true;
    return false;
}

// The folder a write works in: the area's, checked for writing and locked against every other
// writer, then down the levels; check(parent) tells whether the write may go ahead there. What
// an interrupted rename left there is put back first. A refused write takes no lock: in an area
// that no one has written to yet (taking the lock would make its file), the refusals are found
// before it, unless a folder moved aside (by a version that took no lock) may change them.
template <typename Check>
int OpenForWrite(const char* device, const char* area, const std::vector<std::string>& levels,
                 Check check, std::optional<CAreaLock>& lock, std::string& parent)
{
    std::string areaFolder;
    int code = LocateArea(device, area, areaFolder);
    if (code == VORLANX_OK)
        code = CheckWritable(areaFolder);
    if (code == VORLANX_OK && !CAreaLock::FileExists(areaFolder)) {
        code = LocateLevels(areaFolder, levels, parent);
        if (code == VORLANX_OK && !HoldsRenamedFolders(parent))
            code = check(parent);
    }
    if (code == VORLANX_OK)
        code = lock.emplace(areaFolder).Result();
    if (code == VORLANX_OK)
        code = LocateLevels(areaFolder, levels, parent);
    if (code == VORLANX_OK) {
        RestoreRenamedFolders(parent);
        code = check(parent);
    }
    return code;
}

// For Edit and Delete: the category's parent folder and its name's spelling on disk. rename, when
// given, is the name the category is to take.
int LocateForWrite(const char* device, const char* area, const char* category,
                   const std::string* rename, std::optional<CAreaLock>& lock, std::string& parent,
                   std::string& current)
{
    if (!category || !*category)
        return VORLANX_ERR_INVALID_ARGUMENT;
    std::vector<std::string> levels = SplitCategoryPath(category, AnsiCodePage());
    const std::string last = levels.back();
    levels.pop_back();
    const auto check = [&](const std::string& folder) {
        int code = LocateLevel(folder, last, current);
        if (code == VORLANX_OK && !FitsCategoryFolder(JoinPath(folder, current, AnsiCodePage())))
            code = VORLANX_ERR_PATH_TOO_LONG;
        if (code == VORLANX_OK && rename && *rename != current) {
            if (!FitsCategoryFolder(JoinPath(folder, *rename, AnsiCodePage())))
                code = VORLANX_ERR_PATH_TOO_LONG;
            else if (IsTaken(folder, *rename, current))
                code = VORLANX_ERR_EXISTS;
        }
        return code;
    };
    return OpenForWrite(device, area, levels, check, lock, parent);
}

// Renames parent\from to parent\to. Some file systems (this Wine's among them) accept a change of
// case alone and keep the old spelling: then the folder goes through a temporary name, and back
// to its old one if the second step fails.
int RenameFolder(const std::string& parent, const std::string& from, const std::string& to)
{
    const CodePage& cp = AnsiCodePage();
    const std::string before = JoinPath(parent, from, cp);
    const std::string after = JoinPath(parent, to, cp);
    const std::string aside = before + kRenameSuffix;
    const bool caseOnly = SameName(from, to);
    if (!FitsCategoryFolder(after) || (caseOnly && aside.size() > kMaxFilePath))
        return VORLANX_ERR_PATH_TOO_LONG;
    if (!MoveFileA(before.c_str(), after.c_str())) {
        const DWORD error = GetLastError();
        return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? VORLANX_ERR_EXISTS
                                                                           : VORLANX_ERR_IO;
    }
    std::string spelling;
    if (!caseOnly || (FindSubFolder(parent, to, spelling) && spelling == to))
        return VORLANX_OK;
    if (!MoveFileA(before.c_str(), aside.c_str()))
        return VORLANX_ERR_IO;
    if (MoveFileA(aside.c_str(), after.c_str()))
        return VORLANX_OK;
    MoveFileA(aside.c_str(), before.c_str());
    return VORLANX_ERR_IO;
}

// Removes a category folder that holds nothing but its description and leftovers of its writes.
int RemoveCategoryFolder(const std::string& folder)
{
    std::vector<std::string> files, folders;
    if (!ListEntries(folder, files, folders))
        return VORLANX_ERR_IO;
    if (!folders.empty())
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
}

int NewCategory(const char* device, const char* area, const char* category,
                const CCategoryData* record)
{
    std::string name, description, parent;
    std::optional<CAreaLock> lock;
    int code = ReadRecord(record, name, description);
    const auto check = [&](const std::string& folder) {
        if (!FitsCategoryFolder(JoinPath(folder, name, AnsiCodePage())))
            return VORLANX_ERR_PATH_TOO_LONG;
        return IsTaken(folder, name, std::string()) ? VORLANX_ERR_EXISTS : VORLANX_OK;
    };
    if (code == VORLANX_OK)
        code = OpenForWrite(device, area,
                            SplitCategoryPath(category ? category : "", AnsiCodePage()), check,
                            lock, parent);
    if (code != VORLANX_OK)
        return code;
    const std::string folder = JoinPath(parent, name, AnsiCodePage());
    if (!CreateDirectoryA(folder.c_str(), nullptr))
        return GetLastError() == ERROR_ALREADY_EXISTS ? VORLANX_ERR_EXISTS : VORLANX_ERR_IO;
    code = WriteDescription(folder, description);
    if (code != VORLANX_OK)
        RemoveCategoryFolder(folder);  // all or nothing
    return code;
}

int EditCategory(const char* device, const char* area, const char* category,
                 const CCategoryData* record)
{
    std::string name, description, parent, current;
    std::optional<CAreaLock> lock;
    int code = ReadRecord(record, name, description);
    if (code == VORLANX_OK)
        code = LocateForWrite(device, area, category, &name, lock, parent, current);
    if (code != VORLANX_OK)
        return code;
    const bool rename = name != current;
    if (rename) {
        code = RenameFolder(parent, current, name);
        if (code != VORLANX_OK)
            return code;
    }
    const std::string folder = JoinPath(parent, name, AnsiCodePage());
    RemoveDescriptionLeftovers(folder);
    code = WriteDescription(folder, description);
    if (code != VORLANX_OK && rename)
        RenameFolder(parent, name, current);  // all or nothing
    return code;
}

int DeleteCategory(const char* device, const char* area, const char* category)
{
    std::string parent, current;
    std::optional<CAreaLock> lock;
    const int code = LocateForWrite(device, area, category, nullptr, lock, parent, current);
    if (code != VORLANX_OK)
        return code;
    // A sub-category that an interrupted rename moved aside is still there: it gets its name
    // back, and the category is not empty.
    const std::string folder = JoinPath(parent, current, AnsiCodePage());
    RestoreRenamedFolders(folder);
    return RemoveCategoryFolder(folder);
}

}  // namespace

extern "C" {

void __cdecl talmor_startcache(void)
{
    // Without memory for a pass the calls simply read afresh: the answers are the same.
    NoThrow(OpenCachePass);
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
    return Guarded([&] { return NewCategory(device, area, category, record); });
}

int __cdecl talmor_EditCategory(const char* device, const char* area, const char* category,
                                CCategoryData* record)
{
    return Guarded([&] { return EditCategory(device, area, category, record); });
}

int __cdecl talmor_DeleteCategory(const char* device, const char* area, const char* category)
{
    return Guarded([&] { return DeleteCategory(device, area, category); });
}

}  // extern "C"
