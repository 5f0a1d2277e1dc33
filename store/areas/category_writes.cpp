// The store's writes: New, Edit and Delete, each one transaction under the area's lock.
#include "category_store.h"

#include "disk/description.h"
#include "disk/folder_rename.h"
#include "disk/folders.h"
#include "disk/leftovers.h"
#include "areas/locate.h"
#include "names/folder_names.h"
#include "names/own_names.h"
#include "areas/write_transaction.h"
#include "text/host_names.h"
#include "vorlanx.h"

#include <windows.h>

#include <cstring>

namespace {

// The record's texts, refused when a field lacks its terminator or the name is no category's.
int ReadRecord(const CCategoryData* record, std::string& name, std::string& description)
{
    if (!record || strnlen(record->name, sizeof record->name) == sizeof record->name ||
        strnlen(record->description, sizeof record->description) == sizeof record->description)
        return VORLANX_ERR_INVALID_ARGUMENT;
    name = record->name;
    description = record->description;
    // A name the file system would keep as another (or none) would not come back as given.
    return IsCategoryName(name, AnsiCodePage()) && IsExactHostName(name)
        ? VORLANX_OK
        : VORLANX_ERR_INVALID_NAME;
}

// VORLANX_ERR_EXISTS when something in parent other than the folder self already carries name,
// compared as the file system compares (a case-sensitive disk may hold both CAT and cat); a
// parent that cannot be read tells nothing, so nothing is made or renamed.
int CheckFree(const std::string& parent, const std::string& name, const std::string& self)
{
    std::vector<std::string> files, folders;
    if (!ListEntries(parent, files, folders))
        return UnreadableCode(parent);
    files.insert(files.end(), folders.begin(), folders.end());
    for (const std::string& entry : files)
        if (entry != self && SameName(entry, name))
            return VORLANX_ERR_EXISTS;
    return VORLANX_OK;
}

// The store's temporary folders stand beside the category, so their paths must fit as its own.
bool FitsWithTemporary(const std::string& parent, const std::string& name)
{
    const CodePage& cp = AnsiCodePage();
    return FitsCategoryFolder(JoinPath(parent, name, cp)) &&
           FitsCategoryFolder(JoinPath(parent, std::string(kTemporaryNameSize, 'x'), cp));
}

// A free name of kind in parent; empty when none could be had. The lock makes this the only
// writer there, so a name found free stays free.
std::string FreeTemporary(const std::string& parent, Temporary kind)
{
    for (int tries = 0; tries < 64; ++tries) {
        const std::string path =
            JoinPath(parent, TemporaryName(kind, NextTemporaryNumber()), AnsiCodePage());
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES &&
            GetLastError() == ERROR_FILE_NOT_FOUND)
            return path;
    }
    return std::string();
}

// True when folder holds nothing but its description and the temporary files of its writes.
int CheckOnlyDescription(const std::string& folder)
{
    std::vector<std::string> files, folders;
    if (!ListEntries(folder, files, folders))
        return VORLANX_ERR_IO;
    if (!folders.empty())
        return VORLANX_ERR_NOT_EMPTY;
    for (const std::string& file : files)
        if (!SameName(file, kDescriptionFile) && !IsTemporaryName(file, Temporary::Description))
            return VORLANX_ERR_NOT_EMPTY;
    return VORLANX_OK;
}

// For Edit and Delete: the transaction in the category's parent folder and the category's
// spelling on disk there. rename, when given, is the name the category is to take.
int OpenCategory(CWriteTransaction& write, const char* device, const char* area,
                 const char* category, const std::string* rename, std::string& current)
{
    if (!category || !*category)
        return VORLANX_ERR_INVALID_ARGUMENT;
    std::vector<std::string> levels = SplitCategoryPath(category, AnsiCodePage());
    const std::string last = levels.back();
    levels.pop_back();
    return write.Open(device, area, levels, [&](const std::string& folder) {
        int code = LocateLevel(folder, last, current);
        if (code == VORLANX_OK && !FitsCategoryFolder(JoinPath(folder, current, AnsiCodePage())))
            code = VORLANX_ERR_PATH_TOO_LONG;
        if (code == VORLANX_OK && rename && *rename != current) {
            if (!FitsCategoryFolder(JoinPath(folder, *rename, AnsiCodePage())))
                code = VORLANX_ERR_PATH_TOO_LONG;
            else
                code = CheckFree(folder, *rename, current);
        }
        return code;
    });
}

}  // namespace

int NewCategory(const char* device, const char* area, const char* parent,
                const CCategoryData* record)
{
    std::string name, description;
    const int refused = ReadRecord(record, name, description);
    if (refused != VORLANX_OK)
        return refused;
    const std::vector<std::string> levels = SplitCategoryPath(parent ? parent : "", AnsiCodePage());
    return RunWrite([&](CWriteTransaction& write) {
        int code = write.Open(device, area, levels, [&](const std::string& folder) {
            if (!FitsWithTemporary(folder, name))
                return VORLANX_ERR_PATH_TOO_LONG;
            return CheckFree(folder, name, std::string());
        });
        if (code != VORLANX_OK)
            return code;
        // Built whole under a name of ours, then renamed into place: a reader finds the
        // category with its description or not at all.
        const std::string staged = FreeTemporary(write.Folder(), Temporary::NewCategory);
        if (staged.empty() || !CreateDirectoryA(staged.c_str(), nullptr))
            return VORLANX_ERR_IO;
        code = WriteDescription(staged, description);
        if (code == VORLANX_OK)
            code = MoveEntry(staged, JoinPath(write.Folder(), name, AnsiCodePage()),
                             write.Locked());
        if (code != VORLANX_OK)
            RemoveOwnFolder(staged);
        return code;
    });
}

int EditCategory(const char* device, const char* area, const char* category,
                 const CCategoryData* record)
{
    std::string name, description;
    const int refused = ReadRecord(record, name, description);
    if (refused != VORLANX_OK)
        return refused;
    return RunWrite([&](CWriteTransaction& write) {
        std::string current;
        int code = OpenCategory(write, device, area, category, &name, current);
        if (code != VORLANX_OK)
            return code;
        const bool rename = name != current;
        if (rename)
            code = RenameFolder(write.Folder(), current, name, write.Locked());
        else if (!write.Locked()())
            code = kLockLost;
        if (code != VORLANX_OK)
            return code;
        const std::string folder = JoinPath(write.Folder(), name, AnsiCodePage());
        RemoveDescriptionLeftovers(folder);
        code = WriteDescription(folder, description);
        if (code != VORLANX_OK && rename)
            RenameFolder(write.Folder(), name, current);  // all or nothing
        return code;
    });
}

int DeleteCategory(const char* device, const char* area, const char* category)
{
    return RunWrite([&](CWriteTransaction& write) {
        std::string current;
        int code = OpenCategory(write, device, area, category, nullptr, current);
        if (code != VORLANX_OK)
            return code;
        // What earlier writes left in the category is no content of it: a sub-category that an
        // interrupted rename moved aside gets its name back (and the category is not empty).
        const std::string folder = JoinPath(write.Folder(), current, AnsiCodePage());
        TidyFolder(folder);
        code = CheckOnlyDescription(folder);
        if (code != VORLANX_OK)
            return code;
        const std::string aside = FreeTemporary(write.Folder(), Temporary::DeletedCategory);
        if (aside.empty())
            return VORLANX_ERR_IO;
        if (!FitsCategoryFolder(aside))
            return VORLANX_ERR_PATH_TOO_LONG;
        // Gone for every reader at once; what it held goes after, and what cannot go yet (a
        // reader still holds the description) the next write in this folder removes.
        code = MoveEntry(folder, aside, write.Locked());
        if (code == VORLANX_OK)
            RemoveOwnFolder(aside);
        return code;
    });
}
