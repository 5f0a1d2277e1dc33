// The servers behind the devices (\\server\share, and drives the system calls remote),
// remembered while the library is loaded; a local drive has none that can die. A server without
// an entry, or with an old one, is checked on a worker thread of its own with a deadline; one
// that misses it is unreachable, and what would reach it answers at once instead of waiting on a
// dead server. The worker keeps running: a server that answers late is used again as soon as it
// answers.
#pragma once

#include <string>
#include <vector>

// The server of a device root: "\\server\share\" or "X:\"; empty for a root that names neither.
std::string ServerOf(const std::string& root);

// Checks the servers of roots all at once, in parallel, and waits for those not known to be
// alive until they answer or miss their deadline. again checks even servers with fresh entries
// (a dead one only in the background).
void CheckServers(const std::vector<std::string>& roots, bool again);

// True when root lies on a server that can die: a share, or a drive the system calls remote.
bool HasServerThatCanDie(const std::string& root);

// False when the server of root is unreachable; checks it first (as CheckServers) when needed.
bool IsServerReachable(const std::string& root);

// How the last check of root's server went, for a report: whether it is taken for reachable,
// whether its worker has answered (a late answer makes it reachable again) and how long the
// answer took, or has been awaited so far.
struct ServerCheck {
    bool known = false;  // no device named it yet, or it names no server
    bool reachable = true;
    bool answered = false;
    unsigned long long ms = 0;
};
ServerCheck LastServerCheck(const std::string& root);

// Waits until the checks of roots' servers have answered, at most ms in all.
void WaitForAnswers(const std::vector<std::string>& roots, unsigned long long ms);
