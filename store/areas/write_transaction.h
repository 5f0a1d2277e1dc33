// One write to an area, from start to end: the area found and checked for writing, its lock
// taken, the folder the write works in found and tidied, the write's own checks made there. The
// write's first visible step then asks StillLocked(): a write whose lock file was replaced under
// it (a clean-up removed it, and the next writer made a new one) runs again from the start.
#pragma once

#include "areas/area_lock.h"
#include "disk/folder_rename.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CWriteTransaction {
public:
    // Whether the write may go ahead in folder: VORLANX_OK or the code it answers.
    using Check = std::function<int(const std::string& folder)>;

    // Finds the folder that levels name below the area, under the lock, and makes check there.
    // A refused write takes no lock: in an area that no one has written to yet (taking the lock
    // would make its file) its refusals are found before it, unless a folder moved aside by a
    // rename may change them.
    int Open(const char* device, const char* area, const std::vector<std::string>& levels,
             const Check& check);

    const std::string& Folder() const { return m_strFolder; }

    StillLocked Locked() const
    {
        return [this] { return m_lock && m_lock->IsStillHeld(); };
    }

private:
    std::optional<CAreaLock> m_lock;
    std::string m_strFolder;
};

// Runs write (a function of a fresh CWriteTransaction) again while it answers kLockLost, a few
// times at most.
int RunWrite(const std::function<int(CWriteTransaction&)>& write);
