#include "disk/folders.h"

#include "names/folder_names.h"
#include "names/own_names.h"

#include <windows.h>

#include <atomic>
#include <memory>

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

namespace {

// Not a function-local static with a start computed at run time: its guard would take the C++
// runtime's lock, which starts its thread support, and that keeps a TLS slot on every load.
constinit std::atomic<unsigned> g_nextTemporary{0};

}  // namespace

unsigned NextTemporaryNumber()
{
    unsigned unseeded = 0;
    g_nextTemporary.compare_exchange_strong(unseeded, GetTickCount() ^ (GetCurrentProcessId() << 4));
    return g_nextTemporary++;
}

bool IsDirectory(const std::string& path)
{
    if (path.empty() || path.size() > kMaxFilePath)
        return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

Found FindFolder(const std::string& folder, const std::string& name, std::string& actual,
                 bool ownOnly)
{
    // A folder of the store's own (moved aside, new, deleted) is never found by its name; nor is
    // a category by one of the store's file names.
    const std::string path = folder + "\\" + name;
    if ((ownOnly ? IsOwnName(name) : IsLeftoverFolder(name)) || path.size() > kMaxFilePath)
        return Found::no;
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return FoundByError(GetLastError());
    FindClose(find);
    if (!IsFolder(data) || (ownOnly && (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)))
        return Found::no;
    actual = data.cFileName;
    return Found::yes;
}

}  // namespace

Found FoundByError(unsigned long error)
{
    // A search that matched nothing may also say there were no more files.
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                   error == ERROR_NO_MORE_FILES
               ? Found::no
               : Found::unreadable;
}

Found FindSubFolder(const std::string& folder, const std::string& name, std::string& actual)
{
    return FindFolder(folder, name, actual, false);
}

Found FindOwnSubFolder(const std::string& folder, const std::string& name, std::string& actual)
{
    return FindFolder(folder, name, actual, true);
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

bool ReadFolder(const std::string& folder, std::vector<CFolderEntry>& entries, CFolderId* self)
{
    entries.clear();
    if (folder.empty() || folder.size() > kMaxFilePath)
        return false;
    const HANDLE handle = CreateFileA(folder.c_str(), FILE_LIST_DIRECTORY,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const std::unique_ptr<void, decltype(&CloseHandle)> hold(handle, &CloseHandle);
    BY_HANDLE_FILE_INFORMATION info;
    if (self) {
        if (!GetFileInformationByHandle(handle, &info))
            return false;
        self->m_nVolume = info.dwVolumeSerialNumber;
        self->m_nIndex = (uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    }
    // The names as the ANSI find functions give them.
    const UINT codePage = AreFileApisANSI() ? CP_ACP : CP_OEMCP;
    std::vector<uint64_t> buffer(64 * 1024 / sizeof(uint64_t));  // entries are 8-byte aligned
    const DWORD size = DWORD(buffer.size() * sizeof(uint64_t));
    for (FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;;
         kind = FileIdBothDirectoryInfo) {
        if (!GetFileInformationByHandleEx(handle, kind, buffer.data(), size))
            return GetLastError() == ERROR_NO_MORE_FILES;
        const char* at = reinterpret_cast<const char*>(buffer.data());
        for (;;) {
            const auto* e = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
            const int wide = int(e->FileNameLength / sizeof(WCHAR));
            char name[MAX_PATH * 2];
            const int n = WideCharToMultiByte(codePage, 0, e->FileName, wide, name,
                                              sizeof name - 1, nullptr, nullptr);
            name[n > 0 ? n : 0] = '\0';
            if (n > 0 && !IsDots(name)) {
                CFolderEntry entry;
                entry.m_strName.assign(name, size_t(n));
                entry.m_bFolder = e->FileAttributes & FILE_ATTRIBUTE_DIRECTORY;
                entry.m_bLink = e->FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
                entry.m_nIndex = uint64_t(e->FileId.QuadPart);
                entry.m_nSize = uint64_t(e->EndOfFile.QuadPart);
                entry.m_nWriteTime = uint64_t(e->LastWriteTime.QuadPart);
                entries.push_back(std::move(entry));
            }
            if (!e->NextEntryOffset)
                break;
            at += e->NextEntryOffset;
        }
    }
}
