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
#include <string_view>
#include <unordered_map>
#include <vector>

// A folder's sub-folders as one read gave them: their spellings on disk in the enumeration's
// order; by spelling, what the pass read from each one's login control file (a copy of its
// entry in m_mapLogins, which never changes, kept beside the name: a listing of many thousand
// areas looks each up once; none for a leftover, whose file the pass does not read); and, made
// at the first name not found as spelled, for each name with ASCII letters folded the first
// spelling that the enumeration gave (a view of m_mapNames' key).
struct CAreaFolders {
    std::vector<std::string> m_vecNames;
    std::unordered_map<std::string, std::optional<LoginControl>> m_mapNames;
    std::unordered_map<std::string, std::string_view> m_mapFolded;
    bool m_bFolded = false;
};

struct CCachePass {
    std::shared_ptr<const CDeviceTable> m_devices;  // null until first asked for
    // By the file's path: one read of each file in a pass.
    std::unordered_map<std::string, LoginControl> m_mapLogins;
    // Storage folders' sub-folders as read, by the storage folder's path; none for a folder
    // that could not be read.
    std::map<std::string, std::optional<CAreaFolders>> m_mapAreaFolders;
};

// The calling thread's open pass, or null when it has none.
CCachePass* CurrentCachePass();
