#include "areas/area_lock.h"

#include "names/folder_names.h"
#include "names/own_names.h"
#include "vorlanx.h"

#include <windows.h>

namespace {

const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Polled rather than waited for: a blocking LockFileEx cannot be given a time limit.
bool TryLock(HANDLE file)
{
    OVERLAPPED at = {};
    return LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at);
}

std::string FinalPath(HANDLE handle)
{
    std::string path(MAX_PATH, '\0');
    DWORD n = GetFinalPathNameByHandleA(handle, path.data(), MAX_PATH, FILE_NAME_NORMALIZED);
    if (n >= MAX_PATH) {
        path.resize(n);
        n = GetFinalPathNameByHandleA(handle, path.data(), n, FILE_NAME_NORMALIZED);
    }
    path.resize(n < path.size() ? n : 0);
    return path;
}

// A file reached through a link has a final path other than its folder's final path and its
// name. Where the system cannot tell a final path, there is nothing to compare.
bool IsReachedDirectly(HANDLE file, const std::string& folder)
{
    const HANDLE handle = CreateFileA(folder.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const std::string held = FinalPath(file), expected = FinalPath(handle);
    CloseHandle(handle);
    return held.empty() || expected.empty() ||
           SameName(held, JoinPath(expected, kAreaLockFile, AnsiCodePage()));
}

bool SameFile(HANDLE a, HANDLE b)
{
    BY_HANDLE_FILE_INFORMATION x, y;
    if (!GetFileInformationByHandle(a, &x) || !GetFileInformationByHandle(b, &y))
        return true;  // a file system that cannot tell: nothing to compare
    return x.dwVolumeSerialNumber == y.dwVolumeSerialNumber &&
           x.nFileIndexHigh == y.nFileIndexHigh && x.nFileIndexLow == y.nFileIndexLow;
}

}  // namespace

CAreaLock::CAreaLock(const std::string& areaFolder, unsigned long waitMs)
    : m_strArea(areaFolder), m_strPath(areaFolder + "\\" + kAreaLockFile),
      m_hFile(INVALID_HANDLE_VALUE), m_nResult(VORLANX_ERR_IO)
{
    if (m_strPath.size() >= MAX_PATH) {
        m_nResult = VORLANX_ERR_PATH_TOO_LONG;
        return;
    }
    const DWORD start = GetTickCount();
    DWORD pause = 1;
    for (;;) {
        if (m_hFile == INVALID_HANDLE_VALUE && (m_nResult = Open()) != VORLANX_OK)
            return;
        if (TryLock(m_hFile)) {
            m_bLocked = true;
            m_nResult = VORLANX_OK;
            if (IsStillHeld())
                return;
            // Removed while we waited, and perhaps made again: the file at the path counts.
            Close();
        } else if (GetLastError() != ERROR_LOCK_VIOLATION) {
            m_nResult = VORLANX_ERR_IO;  // a file system that takes no locks: no false "busy"
            Close();
            return;
        }
        if (GetTickCount() - start >= waitMs) {
            m_nResult = VORLANX_ERR_BUSY;
            Close();
            return;
        }
        Sleep(pause);
        pause = pause < 8 ? pause * 2 : 8;
    }
}

// Opens the lock file, made when it is missing, never through a link: CREATE_NEW follows none,
// and the final path tells a file reached through one. A link to nothing is found neither by the
// first call nor made by the second.
int CAreaLock::Open()
{
    for (int tries = 0; tries < 3; ++tries) {
        HANDLE file = CreateFileA(m_strPath.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND)
            file = CreateFileA(m_strPath.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                               CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            if (!IsReachedDirectly(file, m_strArea)) {
                CloseHandle(file);
                return VORLANX_ERR_IO;
            }
            m_hFile = file;
            return VORLANX_OK;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            break;  // a folder of that name, a refusal of the file system
    }
    return VORLANX_ERR_IO;
}

void CAreaLock::Close()
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return;
    if (m_bLocked) {
        OVERLAPPED at = {};
        UnlockFileEx(m_hFile, 0, 1, 0, &at);
        m_bLocked = false;
    }
    CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

bool CAreaLock::IsStillHeld() const
{
    if (!m_bLocked)
        return false;
    const HANDLE now = CreateFileA(m_strPath.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (now == INVALID_HANDLE_VALUE)
        return false;
    const bool same = SameFile(m_hFile, now);
    CloseHandle(now);
    return same;
}

bool CAreaLock::FileExists(const std::string& areaFolder)
{
    const std::string path = areaFolder + "\\" + kAreaLockFile;
    return path.size() < MAX_PATH && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

CAreaLock::~CAreaLock()
{
    Close();
}
