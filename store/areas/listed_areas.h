// Inside a cached pass, the sub-folders of a device's storage folder as one directory read
// found them, read once per pass: the read-only test of what a listing gave needs no disk call
// of its own to find an area, nor the login check of an entry that is no folder there (a
// category entry AREA#CAT has no login control file) or of any area once the folder is read.
// With that read, every listed area's login control file is read into the pass, one after
// another.
#pragma once

#include "areas/login_control.h"

#include <string>

enum class Listed { yes, no, unknown };

// Whether storage holds a sub-folder that name names, matched as the file system matches it
// (the exact spelling first, then without ASCII case); actual is its spelling on disk. unknown
// outside a pass, when the folder could not be read, for a name no folder can carry, and for a
// name not spelled as listed whose match only the file system can tell (bytes beyond ASCII, a
// short name's '~').
// login, when given, gets what the pass read from a found folder's login control file (null
// for a leftover folder, whose file the pass does not read).
Listed FindListedArea(const std::string& storage, const std::string& name, std::string& actual,
                      const LoginControl** login = nullptr);

// Whether the pass has read storage's sub-folders already (or found it could not).
bool IsStorageListed(const std::string& storage);
