// The cached pass that talmor_startcache opens: while it is open, what the store reads (the
// device table, login control files, the storage folders' area folders) is read once and kept; answers are the same without it.
// Each thread has a pass of its own, so one thread's start or stop never touches another's. It is
// opened and closed through the front door (category_store.h).
#pragma once

#include "lookup/devices.h"
#include "areas/login_control.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// A folder's sub-folders: the spellings on disk, and for each name with ASCII letters folded the
// first of them that the enumeration gave.
struct CAreaFolders {
    std::unordered_set<std::string> m_setNames;
    std::unordered_map<std::string, std::string> m_mapFolded;
};

struct CCachePass {
    std::shared_ptr<const CDeviceTable> m_devices;  // null until first asked for
    std::unordered_map<std::string, LoginControl> m_mapLogins;  // by the file's path
    // Storage folders' sub-folders as read, by the storage folder's path; none for a folder
    // that could not be read.
    std::map<std::string, std::optional<CAreaFolders>> m_mapAreaFolders;
};

// The calling thread's open pass, or null when it has none.
CCachePass* CurrentCachePass();
