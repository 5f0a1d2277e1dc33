// An area's login control file, login.ctl: section [login] with the keys access (open, blocked,
// restricted, restricted-expired), readonly (yes, no) and hidden (yes, no).
#pragma once

#include <string>

struct LoginControl {
    bool readable = false;  // the file exists and names a known access
    int access = 0;         // VORLANX_OK, VORLANX_AREA_BLOCKED, _RESTRICTED or _RESTRICTED_EXPIRED
    bool readonly = false;
    bool hidden = false;
};

LoginControl ReadLoginControl(const std::string& path);

// The file path that a login control path such as 1:\userroot\storage\AREA1\login.ctl names:
// the device before the ':' is replaced by its root folder. False for an unknown device or a
// path that climbs out of it.
bool MapLoginPath(const char* loginPath, std::string& path);
