// The Unix system under Wine, as the tests need it: Unix paths, Unix links, Unix commands.
#pragma once

#include <string>

// The Unix path of a Windows path, or "" when Wine cannot map it (or this is not Wine).
std::string UnixPath(const std::string& windowsPath);

// Starts "/bin/sh -c command" and returns at once: Wine gives no handle to wait for a Unix
// process, so the caller watches for what the command makes.
bool StartUnixCommand(const std::string& command);

// A Unix symbolic link at link (a Windows path) to target, a Unix path as ln takes it (may be
// relative to the link's folder). Waits until the link is there; false when it did not come.
bool MakeUnixLink(const std::string& link, const std::string& target);

// The folder child in folder, made by the Unix system and spelled exactly as given: beside one
// that differs only in case, as on a case-sensitive disk. Waits until it is listed.
bool MakeUnixFolder(const std::string& folder, const std::string& child);

// Removes such a link (not what it names); waits until it is gone.
bool RemoveUnixLink(const std::string& link);
