#include "leftovers.h"

#include "description.h"
#include "folders.h"
#include "names.h"

#include <windows.h>

#include <algorithm>

bool HoldsRenamedFolders(const std::string& parent)
{
    std::vector<std::string> files, folders;
    ListEntries(parent, files, folders);
    return std::any_of(folders.begin(), folders.end(),
                       [](const std::string& folder) { return IsRenameLeftover(folder); });
}

void RestoreRenamedFolders(const std::string& parent)
{
    std::vector<std::string> files, folders;
    if (!ListEntries(parent, files, folders))
        return;
    const auto taken = [&](const std::string& name) {
        const auto same = [&](const std::string& entry) { return SameName(entry, name); };
        return std::any_of(files.begin(), files.end(), same) ||
               std::any_of(folders.begin(), folders.end(), same);
    };
    const CodePage& cp = AnsiCodePage();
    for (size_t i = 0; i < folders.size(); ++i) {
        std::string base;
        if (!IsRenameLeftover(folders[i], &base) || !IsFolderName(base, cp, false) || taken(base))
            continue;
        const std::string from = JoinPath(parent, folders[i], cp);
        const std::string to = JoinPath(parent, base, cp);
        if (from.size() <= kMaxFilePath && to.size() <= kMaxFilePath &&
            MoveFileA(from.c_str(), to.c_str()))
            folders.push_back(base);
    }
}

void RemoveDescriptionLeftovers(const std::string& folder)
{
    std::vector<std::string> files, folders;
    if (!ListEntries(folder, files, folders))
        return;
    for (const std::string& file : files) {
        const std::string path = folder + "\\" + file;
        if (IsDescriptionLeftover(file) && path.size() <= kMaxFilePath)
            DeleteFileA(path.c_str());
    }
}
