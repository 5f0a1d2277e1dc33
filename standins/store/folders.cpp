#include "folders.h"

#include "names.h"
#include "own_names.h"

#include <windows.h>

namespace {

bool IsDots(const char* name)
{
    return strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
}

template <typename Visit>
bool ForEachEntry(const std::string& folder, Visit visit)
{
    const std::string pattern = folder + "\\*";
    if (pattern.size() > kMaxFilePath)
        return false;
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    do {
        if (!IsDots(data.cFileName))
            visit(data);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return true;
}

bool IsFolder(const WIN32_FIND_DATAA& data)
{
    return data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
}

}  // namespace

bool IsDirectory(const std::string& path)
{
    if (path.empty() || path.size() > kMaxFilePath)
        return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

bool FindFolder(const std::string& folder, const std::string& name, std::string& actual,
                bool ownOnly)
{
    // A folder of the store's own (moved aside, new, deleted) is never found by its name; nor is
    // a category by one of the store's file names.
    const std::string path = folder + "\\" + name;
    if ((ownOnly ? IsOwnName(name) : IsLeftoverFolder(name)) || path.size() > kMaxFilePath)
        return false;
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    FindClose(find);
    if (!IsFolder(data) || (ownOnly && (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)))
        return false;
    actual = data.cFileName;
    return true;
}

}  // namespace

bool FindSubFolder(const std::string& folder, const std::string& name, std::string& actual)
{
    return FindFolder(folder, name, actual, false);
}

bool FindOwnSubFolder(const std::string& folder, const std::string& name, std::string& actual)
{
    return FindFolder(folder, name, actual, true);
}

std::vector<std::string> SubFolders(const std::string& folder)
{
    std::vector<std::string> names;
    ForEachEntry(folder, [&](const WIN32_FIND_DATAA& data) {
        if (IsFolder(data) && !IsLeftoverFolder(data.cFileName))
            names.emplace_back(data.cFileName);
    });
    return names;
}

bool ListEntries(const std::string& folder, std::vector<std::string>& files,
                 std::vector<std::string>& folders)
{
    return ForEachEntry(folder, [&](const WIN32_FIND_DATAA& data) {
        (IsFolder(data) ? folders : files).emplace_back(data.cFileName);
    });
}

bool GetFolderId(const std::string& folder, CFolderId& id)
{
    if (folder.empty() || folder.size() > kMaxFilePath)
        return false;
    const HANDLE handle = CreateFileA(folder.c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    const bool ok = GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    if (!ok)
        return false;
    id.m_nVolume = info.dwVolumeSerialNumber;
    id.m_nIndex = (uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

std::vector<std::string> OwnSubFolders(const std::string& folder)
{
    std::vector<std::string> names;
    ForEachEntry(folder, [&](const WIN32_FIND_DATAA& data) {
        if (IsFolder(data) && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
            !IsOwnName(data.cFileName))
            names.emplace_back(data.cFileName);
    });
    return names;
}
