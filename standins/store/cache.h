// The cached pass that talmor_startcache opens: while it is open, what the store reads (the
// device table, login control files) is read once and kept; answers are the same without it.
// Each thread has a pass of its own, so one thread's start or stop never touches another's.
#pragma once

#include "devices.h"
#include "login_control.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

struct CCachePass {
    std::shared_ptr<const CDeviceTable> m_devices;  // null until first asked for
    std::map<std::string, LoginControl> m_mapLogins;  // by the file's path
};

void OpenCachePass();
void CloseCachePass();

// The calling thread's open pass, or null when it has none.
CCachePass* CurrentCachePass();
