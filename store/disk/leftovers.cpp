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

void RestoreRenamedFolders(const std::string& parent, const std::vector<std::string>& files,
                           std::vector<std::string> folders)
{
    const auto taken = [&](const std::string& name) {
        const auto same = [&](const std::string& entry) { return SameName(entry, name); };
        return std::any_of(files.begin(), files.end(), same) ||
               std::any_of(folders.begin(), folders.end(), same);
    };
    const CodePage& cp = AnsiCodePage();
    for (size_t i = 0; i < folders.size(); ++i) {
        std::string base;
        if (!IsRenameLeftover(folders[i], &base) || !IsCategoryName(base, cp) || taken(base))
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
    if (!folders.empty() || !std::all_of(files.begin(), files.end(), IsDescriptionFile))
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
