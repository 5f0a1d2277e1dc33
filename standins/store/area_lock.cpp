#include "area_lock.h"

#include "vorlanx.h"

#include <windows.h>

const char kAreaLockFile[] = "~vorlanx.lck";

namespace {

const DWORD kWaitMs = 10000;

// Polled rather than waited for: a blocking LockFileEx cannot be given a time limit.
bool TryLock(HANDLE file)
{
    OVERLAPPED at = {};
    return LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at);
}

}  // namespace

CAreaLock::CAreaLock(const std::string& areaFolder)
    : m_hFile(INVALID_HANDLE_VALUE), m_nResult(VORLANX_ERR_IO)
{
    const std::string path = areaFolder + "\\" + kAreaLockFile;
    if (path.size() >= MAX_PATH) {
        m_nResult = VORLANX_ERR_PATH_TOO_LONG;
        return;
    }
    m_hFile = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_hFile == INVALID_HANDLE_VALUE)
        return;
    const DWORD start = GetTickCount();
    DWORD pause = 1;
    while (!TryLock(m_hFile)) {
        if (GetLastError() != ERROR_LOCK_VIOLATION)
            return;  // a file system that takes no locks: no false "busy"
        if (GetTickCount() - start >= kWaitMs) {
            m_nResult = VORLANX_ERR_BUSY;
            return;
        }
        Sleep(pause);
        pause = pause < 8 ? pause * 2 : 8;
    }
    m_nResult = VORLANX_OK;
}

bool CAreaLock::FileExists(const std::string& areaFolder)
{
    const std::string path = areaFolder + "\\" + kAreaLockFile;
    return path.size() < MAX_PATH && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

CAreaLock::~CAreaLock()
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return;
    if (m_nResult == VORLANX_OK) {
        OVERLAPPED at = {};
        UnlockFileEx(m_hFile, 0, 1, 0, &at);
    }
    CloseHandle(m_hFile);
}
