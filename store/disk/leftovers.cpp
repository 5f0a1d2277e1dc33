#include "disk/leftovers.h"

#include "disk/folders.h"
#include "names/folder_names.h"
#include "names/own_names.h"

#include <windows.h>

#include <algorithm>

namespace {

bool IsDescriptionFile(const std::string& file)
{
    return SameName(file, kDescriptionFile) || IsTemporaryName(file, Temporary::Description);
}

// A folder of the store's own: nothing in it but descriptions and their temporaries.
bool HoldsOnlyOwnFiles(const std::vector<std::string>& files,
                       const std::vector<std::string>& folders)
{
    return folders.empty() && std::all_of(files.begin(), files.end(), IsDescriptionFile);
}

// The name that a folder moved aside by a rename gets back, when it is free; else empty.
std::string NameToGiveBack(const std::string& folder, const std::vector<std::string>& files,
                           const std::vector<std::string>& folders)
{
    std::string base;
    if (!IsRenameLeftover(folder, &base) || !IsCategoryName(base, AnsiCodePage()))
        return std::string();
    const auto same = [&](const std::string& entry) { return SameName(entry, base); };
    const bool taken = std::any_of(files.begin(), files.end(), same) ||
                       std::any_of(folders.begin(), folders.end(), same);
    return taken ? std::string() : base;
}

void RestoreRenamedFolders(const std::string& parent, const std::vector<std::string>& files,
                           std::vector<std::string> folders)
{
    const CodePage& cp = AnsiCodePage();
    for (size_t i = 0; i < folders.size(); ++i) {
        const std::string base = NameToGiveBack(folders[i], files, folders);
        if (base.empty())
            continue;
        const std::string from = JoinPath(parent, folders[i], cp);
        const std::string to = JoinPath(parent, base, cp);
        if (from.size() <= kMaxFilePath && to.size() <= kMaxFilePath &&
            MoveFileA(from.c_str(), to.c_str()))
            folders.push_back(base);
    }
}

}  // namespace

bool HoldsRenamedFolders(const std::string& parent)
{
    std::vector<std::string> files, folders;
    ListEntries(parent, files, folders);
    return std::any_of(folders.begin(), folders.end(),
                       [](const std::string& folder) { return IsRenameLeftover(folder); });
}

void TidyFolder(const std::string& parent)
{
    std::vector<std::string> files, folders;
    if (!ListEntries(parent, files, folders))
        return;
    RestoreRenamedFolders(parent, files, folders);
    for (const std::string& folder : folders)
        if (IsTemporaryName(folder, Temporary::NewCategory) ||
            IsTemporaryName(folder, Temporary::DeletedCategory))
            RemoveOwnFolder(JoinPath(parent, folder, AnsiCodePage()));
}

bool RemoveOwnFolder(const std::string& folder)
{
    std::vector<std::string> files, folders;
    if (folder.size() > kMaxFilePath || !ListEntries(folder, files, folders))
        return false;
    // A folder that holds anything else is someone's: left as it is, its files included.
    if (!HoldsOnlyOwnFiles(files, folders))
        return false;
    for (const std::string& file : files) {
        const std::string path = folder + "\\" + file;
        if (IsDescriptionFile(file) && path.size() <= kMaxFilePath)
            DeleteFileA(path.c_str());
    }
    return RemoveDirectoryA(folder.c_str()) != FALSE;
}

void RemoveDescriptionLeftovers(const std::string& folder)
{
    std::vector<std::string> files, folders;
    if (!ListEntries(folder, files, folders))
        return;
    for (const std::string& file : files) {
        const std::string path = folder + "\\" + file;
        if (IsTemporaryName(file, Temporary::Description) && path.size() <= kMaxFilePath)
            DeleteFileA(path.c_str());
    }
}

LeftoverFate FateOfLeftover(const std::string& parent, const std::string& name, bool folder,
                            bool inCategory)
{
    if (!folder)
        return inCategory && IsTemporaryName(name, Temporary::Description)
            ? LeftoverFate::tidied
            : LeftoverFate::neverTidied;
    std::vector<std::string> files, folders;
    if (IsRenameLeftover(name)) {
        ListEntries(parent, files, folders);
        return NameToGiveBack(name, files, folders).empty() ? LeftoverFate::nameTaken
                                                            : LeftoverFate::tidied;
    }
    if (!IsTemporaryName(name, Temporary::NewCategory) &&
        !IsTemporaryName(name, Temporary::DeletedCategory))
        return LeftoverFate::neverTidied;
    const std::string path = JoinPath(parent, name, AnsiCodePage());
    return path.size() <= kMaxFilePath && ListEntries(path, files, folders) &&
                   HoldsOnlyOwnFiles(files, folders)
        ? LeftoverFate::tidied
        : LeftoverFate::holdsOthers;
}
