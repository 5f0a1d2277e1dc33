// Whether device roots on servers are folders, asked with the servers' deadline. A server whose
// check passed (from the system's cache of its answers, or just before it slowed down) may still
// take long over the next path: the caller waits for that at most one deadline more.
#pragma once

#include <string>
#include <vector>

enum class FolderProbe { folder, notFolder, noAnswer };

// Asks for the paths on a few threads of their own at once and waits at most ms for them all.
// When no thread can be started, the caller asks itself.
std::vector<FolderProbe> ProbeFolders(const std::vector<std::string>& paths, unsigned long long ms);
