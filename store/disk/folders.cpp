#include "disk/folders.h"

#include "names/folder_names.h"
#include "names/own_names.h"
#include "text/host_names.h"

#include <windows.h>

#include <atomic>
#include <memory>

namespace {

bool IsDots(const wchar_t* name, size_t length)
{
    return (length == 1 && name[0] == L'.') || (length == 2 && name[0] == L'.' && name[1] == L'.');
}

// By the wide find functions, so that names come back converted exactly, never with the
// system's best fit. visit(data, name): name is empty where the code page cannot write it.
template <typename Visit>
bool ForEachEntry(const std::string& folder, Visit visit)
{
    const std::string pattern = folder + "\\*";
    if (pattern.size() > kMaxFilePath)
        return false;
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW(WidePath(pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    do {
        const size_t length = wcsnlen(data.cFileName, MAX_PATH);
        if (IsDots(data.cFileName, length))
            continue;
        std::string name;
        ToHostName(data.cFileName, length, name);
        visit(data, name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return true;
}

bool IsFolder(const WIN32_FIND_DATAW& data)
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
    // A name that is not exactly one of the file system's names names none.
    if (!IsExactHostName(name))
        return Found::no;
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW(WidePath(path).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return FoundByError(GetLastError());
    FindClose(find);
    if (!IsFolder(data) || (ownOnly && (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)))
        return Found::no;
    return ToHostName(data.cFileName, wcsnlen(data.cFileName, MAX_PATH), actual) ? Found::yes
                                                                                 : Found::no;
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
    return ForEachEntry(folder, [&](const WIN32_FIND_DATAW& data, std::string& name) {
        (IsFolder(data) ? folders : files).push_back(std::move(name));
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

bool ReadFolder(const std::string& folder, std::vector<CFolderEntry>& entries, CFolderId* self,
                std::vector<CFolderEntry>* unwritable)
{
    entries.clear();
    if (unwritable)
        unwritable->clear();
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
    std::vector<uint64_t> buffer(64 * 1024 / sizeof(uint64_t));  // entries are 8-byte aligned
    const DWORD size = DWORD(buffer.size() * sizeof(uint64_t));
    for (FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;;
         kind = FileIdBothDirectoryInfo) {
        if (!GetFileInformationByHandleEx(handle, kind, buffer.data(), size))
            return GetLastError() == ERROR_NO_MORE_FILES;
        const char* at = reinterpret_cast<const char*>(buffer.data());
        for (;;) {
            const auto* e = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
            const size_t wide = e->FileNameLength / sizeof(WCHAR);
            CFolderEntry entry;
            const bool exact = ToHostName(e->FileName, wide, entry.m_strName);
            if (!exact && unwritable) {
                entry.m_strName = EscapedName(e->FileName, wide);
                entry.m_strWide.assign(e->FileName, wide);
            }
            if (!IsDots(e->FileName, wide) && (exact || unwritable)) {
                entry.m_bFolder = e->FileAttributes & FILE_ATTRIBUTE_DIRECTORY;
                entry.m_bLink = e->FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
                entry.m_nIndex = uint64_t(e->FileId.QuadPart);
                entry.m_nSize = uint64_t(e->EndOfFile.QuadPart);
                entry.m_nWriteTime = uint64_t(e->LastWriteTime.QuadPart);
                (exact ? entries : *unwritable).push_back(std::move(entry));
            }
            if (!e->NextEntryOffset)
                break;
            at += e->NextEntryOffset;
        }
    }
}
