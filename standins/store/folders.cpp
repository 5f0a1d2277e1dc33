#include "folders.h"

#include <windows.h>

namespace {

bool IsDots(const char* name)
{
    return strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
}

template <typename Visit>
bool ForEachEntry(const std::string& folder, Visit visit)
{
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    do {
        if (!IsDots(data.cFileName))
            visit(data);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return true;
}

}  // namespace

bool IsDirectory(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FindSubFolder(const std::string& folder, const std::string& name, std::string& actual)
{
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA((folder + "\\" + name).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    FindClose(find);
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    actual = data.cFileName;
    return true;
}

std::vector<std::string> SubFolders(const std::string& folder)
{
    std::vector<std::string> names;
    ForEachEntry(folder, [&](const WIN32_FIND_DATAA& data) {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            names.emplace_back(data.cFileName);
    });
    return names;
}

bool ListFiles(const std::string& folder, std::vector<std::string>& files, bool& hasSubFolders)
{
    hasSubFolders = false;
    return ForEachEntry(folder, [&](const WIN32_FIND_DATAA& data) {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            hasSubFolders = true;
        else
            files.emplace_back(data.cFileName);
    });
}

bool GetFolderId(const std::string& folder, CFolderId& id)
{
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
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            names.emplace_back(data.cFileName);
    });
    return names;
}
