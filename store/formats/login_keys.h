// The keys of an area's login control file, section [login]: access (open, blocked, restricted,
// restricted-expired), readonly (yes, no), hidden (yes, no). Keys and values are compared without
// case; an unknown access leaves the file unreadable to the store. Portable: no windows.h.
#pragma once

#include <string>
#include <vector>

enum class LoginAccess { unknown, open, blocked, restricted, restrictedExpired };

struct LoginKeys {
    LoginAccess access = LoginAccess::unknown;
    bool readonly = false;
    bool hidden = false;
};

// The section's "key = value" lines as the profile functions give them, in order; a key said
// twice counts as its last line says.
LoginKeys ParseLoginKeys(const std::vector<std::string>& lines);

// True for a "key = value" line whose key and value the store knows; any other line is passed
// over by ParseLoginKeys.
bool IsKnownLoginLine(const std::string& line);
