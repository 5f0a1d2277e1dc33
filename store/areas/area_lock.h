// The write lock of an area, which serializes the writes of every thread, process and machine
// that reaches the area: an exclusive byte-range lock on the area's lock file, ~vorlanx.lck in
// its folder. The file is opened shared by every writer and never deleted; the system releases
// the lock of a writer that dies.
#pragma once

#include <string>

// How long a writer waits for the lock, and for a rename that someone holds up, in all.
constexpr unsigned long kAreaLockWaitMs = 10000;

class CAreaLock {
public:
    // Waits for the lock at most waitMs. Result() tells whether it was taken.
    explicit CAreaLock(const std::string& areaFolder, unsigned long waitMs = kAreaLockWaitMs);
    ~CAreaLock();
    CAreaLock(const CAreaLock&) = delete;
    CAreaLock& operator=(const CAreaLock&) = delete;

    // True when the area's lock file is there: some write has been made in the area.
    static bool FileExists(const std::string& areaFolder);

    // VORLANX_OK while held; VORLANX_ERR_BUSY when another writer held it all the while;
    // VORLANX_ERR_IO when the lock file cannot be opened or locked, or is a folder or a link;
    // VORLANX_ERR_PATH_TOO_LONG when its path does not fit.
    int Result() const { return m_nResult; }

    // False once the file at the lock's path is no longer the one locked here (a clean-up removed
    // it, and the next writer made and locked a new one): a write must not go on under it.
    bool IsStillHeld() const;

private:
    int Open();
    void Close();

    std::string m_strArea;
    std::string m_strPath;
    void* m_hFile;
    bool m_bLocked = false;
    int m_nResult;
};
