// An area's login control file, login.ctl: section [login] with the keys access (open, blocked,
// restricted, restricted-expired), readonly (yes, no) and hidden (yes, no).
#pragma once

#include <string>
#include <vector>

struct LoginControl {
    bool readable = false;  // the file exists and names a known access
    int access = 0;         // VORLANX_OK, VORLANX_AREA_BLOCKED, _RESTRICTED or _RESTRICTED_EXPIRED
    bool readonly = false;
    bool hidden = false;
};

// Inside a cached pass, read once per path.
LoginControl ReadLoginControl(const std::string& path);
// What the pass read of path, else the file; the pass keeps nothing new. For the access check
// of each entry of a listing, which asks for every file once: keeping each would cost more
// than it saves.
LoginControl PeekLoginControl(const std::string& path);
// Always from the file: reads nothing but it, so it may run on a worker.
LoginControl ReadLoginControlFile(const std::string& path);
// What the lines of a file's section [login] give.
LoginControl LoginControlOf(const std::vector<std::string>& lines);

// <area folder>\login.ctl. The login check and the read-only test name a file alike, so that a
// pass reads it once.
std::string LoginFilePath(const std::string& areaFolder);

// The file path that a login control path such as 1:\userroot\storage\AREA1\login.ctl names:
// the device before the ':' is replaced by its root folder. False for an unknown device or a
// path that climbs out of it.
// root, when given, is the root of the device whose file path names.
bool MapLoginPath(const char* loginPath, std::string& path, std::string* root = nullptr);
