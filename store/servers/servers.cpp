#include "servers/servers.h"

#include "lookup/devices.h"

#include <windows.h>

#include <atomic>
#include <map>
#include <memory>

namespace {

// An answer is kept this long: an alive server is checked again, with the deadline, when its
// entry is older, so a server that died meanwhile stalls calls for at most this long.
const ULONGLONG kAliveFor = 10000;
// An unreachable server is checked again in the background when asked for this long after its
// last check, never with a second check while one still waits on it: a dead server costs one
// blocked thread, and one that comes back is seen within seconds, without a restart.
const ULONGLONG kRecheckAfter = 5000;
// However loaded the machine, a caller does not wait for a worker that never got to run longer
// than this many deadlines.
const ULONGLONG kWaitLimit = 10;

enum class State { unknown, alive, unreachable };

struct CServer {
    std::string m_strProbe;         // the server's root as the device names it
    State m_state = State::unknown;
    ULONGLONG m_nCheckedAt = 0;     // when the state was last set
    bool m_bChecking = false;       // a worker is on it
    ULONGLONG m_nStartedAt = 0;     // when that worker began to run; 0 until it does
    ULONGLONG m_nTookMs = 0;        // how long the last answer took, late or not
};

// Entries are never removed, so a worker keeps a pointer to its own. Freed with the library,
// which no worker outlives: each holds a reference on it.
SRWLOCK g_lock = SRWLOCK_INIT;
CONDITION_VARIABLE g_answered = CONDITION_VARIABLE_INIT;
std::map<std::string, CServer> g_servers;

struct CCheck {
    CServer* m_server;
    std::string m_strProbe;
    HMODULE m_hModule;
};

bool Probe(const std::string& root)
{
    return GetFileAttributesA(root.c_str()) != INVALID_FILE_ATTRIBUTES;
}

DWORD WINAPI CheckWorker(void* param)
{
    std::unique_ptr<CCheck> check(static_cast<CCheck*>(param));
    const HMODULE self = check->m_hModule;
    AcquireSRWLockExclusive(&g_lock);
    check->m_server->m_nStartedAt = GetTickCount64();
    ReleaseSRWLockExclusive(&g_lock);
    const bool alive = Probe(check->m_strProbe);
    AcquireSRWLockExclusive(&g_lock);
    check->m_server->m_state = alive ? State::alive : State::unreachable;
    check->m_server->m_nCheckedAt = GetTickCount64();
    check->m_server->m_nTookMs = check->m_server->m_nCheckedAt - check->m_server->m_nStartedAt;
    check->m_server->m_bChecking = false;
    ReleaseSRWLockExclusive(&g_lock);
    WakeAllConditionVariable(&g_answered);
    check.reset();
    FreeLibraryAndExitThread(self, 0);
}

// Under the lock. Starts a worker on server unless one is on it already.
void StartCheck(CServer& server)
{
    if (server.m_bChecking)
        return;
    HMODULE self = nullptr;
    auto check = std::make_unique<CCheck>();
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<LPCSTR>(&CheckWorker), &self)) {
        *check = CCheck{&server, server.m_strProbe, self};
        server.m_bChecking = true;
        server.m_nStartedAt = 0;
        const HANDLE thread = CreateThread(nullptr, 64 * 1024, CheckWorker, check.get(),
                                           STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
        if (thread) {
            check.release();
            CloseHandle(thread);
            return;
        }
        server.m_bChecking = false;
        FreeLibrary(self);
    }
    // Without a thread nothing can be checked with a deadline: the calls find out themselves.
    server.m_state = State::alive;
    server.m_nCheckedAt = GetTickCount64();
}

// Under the lock. True when a caller must wait for server's answer.
bool Refresh(CServer& server, ULONGLONG now, bool again)
{
    const ULONGLONG age = again ? ~0ull : now - server.m_nCheckedAt;
    switch (server.m_state) {
    case State::unknown:
        StartCheck(server);
        return server.m_bChecking;
    case State::alive:
        if (age < kAliveFor)
            return false;
        StartCheck(server);
        return server.m_bChecking;
    case State::unreachable:
        if (age >= kRecheckAfter)
            StartCheck(server);
        return false;
    }
    return false;
}

// Under the lock. Waits until every server in waiting has answered or missed its deadline,
// counted from when its worker began to run, so a worker held up by a busy machine is not
// taken for a dead server.
void Wait(const std::vector<CServer*>& waiting, ULONGLONG deadline)
{
    const ULONGLONG begin = GetTickCount64();
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        bool pending = false;
        for (CServer* server : waiting) {
            if (!server->m_bChecking)
                continue;
            const bool missed = server->m_nStartedAt ? now - server->m_nStartedAt >= deadline
                                                     : now - begin >= kWaitLimit * deadline;
            if (missed) {
                server->m_state = State::unreachable;
                server->m_nCheckedAt = now;
            } else {
                pending = true;
            }
        }
        if (!pending || (now - begin >= kWaitLimit * deadline))
            return;
        SleepConditionVariableSRW(&g_answered, &g_lock, 10, 0);
    }
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// Only a share or a drive that the system calls remote has a server that can die; a fixed or RAM
// disk (and whatever else is local) is taken as alive, with no worker. Each drive letter is asked
// once per load, outside the table's lock (Windows answers from its drive table; Wine opens the
// drive's root, and calls every drive fixed, see docs/sites.md).
enum : unsigned char { kUnknown, kLocal, kRemote };
constinit std::atomic<unsigned char> g_driveKinds[26];  // by letter, A to Z

bool CanDie(const std::string& probe)
{
    if (probe.size() != 3 || probe[1] != ':')
        return true;  // a share
    const char letter = probe[0] >= 'a' && probe[0] <= 'z' ? char(probe[0] - 'a' + 'A') : probe[0];
    if (letter < 'A' || letter > 'Z')
        return true;
    std::atomic<unsigned char>& kind = g_driveKinds[letter - 'A'];
    if (kind == kUnknown)
        kind = GetDriveTypeA(probe.c_str()) == DRIVE_REMOTE ? kRemote : kLocal;
    return kind == kRemote;
}

// Server names are compared without case, as the system compares them.
std::string ServerKey(std::string server)
{
    for (char& c : server)
        c = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c == '/' ? '\\' : c;
    return server;
}

}  // namespace

std::string ServerOf(const std::string& root)
{
    if (root.size() >= 2 && root[1] == ':')
        return root.substr(0, 2) + "\\";
    if (root.size() < 3 || !IsSeparator(root[0]) || !IsSeparator(root[1]) || root[2] == '?' ||
        root[2] == '.')
        return std::string();
    size_t end = 2;
    while (end < root.size() && !IsSeparator(root[end]))
        ++end;  // the server
    if (end == 2 || end >= root.size())
        return std::string();
    ++end;
    const size_t share = end;
    while (end < root.size() && !IsSeparator(root[end]))
        ++end;
    return end == share ? std::string() : root.substr(0, end) + "\\";
}

void CheckServers(const std::vector<std::string>& roots, bool again)
{
    std::vector<std::string> probes;
    for (const std::string& root : roots)
        if (std::string probe = ServerOf(root); !probe.empty() && CanDie(probe))
            probes.push_back(std::move(probe));
    std::vector<CServer*> waiting;
    AcquireSRWLockExclusive(&g_lock);
    const ULONGLONG now = GetTickCount64();
    for (const std::string& probe : probes) {
        CServer& server = g_servers[ServerKey(probe)];
        if (server.m_strProbe.empty())
            server.m_strProbe = probe;
        if (Refresh(server, now, again))
            waiting.push_back(&server);
    }
    ReleaseSRWLockExclusive(&g_lock);
    if (waiting.empty())
        return;
    // Read only when there is something to wait for: a call that finds its server fresh costs
    // no look into storage.ini, however long that is.
    const ULONGLONG deadline = ServerDeadline();
    AcquireSRWLockExclusive(&g_lock);
    Wait(waiting, deadline);
    ReleaseSRWLockExclusive(&g_lock);
}

bool HasServerThatCanDie(const std::string& root)
{
    const std::string probe = ServerOf(root);
    return !probe.empty() && CanDie(probe);
}

bool IsServerReachable(const std::string& root)
{
    // A server that cannot die never has an entry: asked for every area of a listing, a local
    // drive costs neither the lock nor a copy of the path.
    const std::string probe = ServerOf(root);
    if (probe.empty() || !CanDie(probe))
        return true;
    CheckServers({root}, false);
    AcquireSRWLockShared(&g_lock);
    const auto it = g_servers.find(ServerKey(probe));
    const bool reachable = it == g_servers.end() || it->second.m_state != State::unreachable;
    ReleaseSRWLockShared(&g_lock);
    return reachable;
}

ServerCheck LastServerCheck(const std::string& root)
{
    ServerCheck check;
    AcquireSRWLockShared(&g_lock);
    const auto it = g_servers.find(ServerKey(ServerOf(root)));
    if (it != g_servers.end()) {
        const CServer& server = it->second;
        check.known = true;
        check.reachable = server.m_state != State::unreachable;
        check.answered = !server.m_bChecking;
        check.ms = check.answered || !server.m_nStartedAt ? server.m_nTookMs
                                                          : GetTickCount64() - server.m_nStartedAt;
    }
    ReleaseSRWLockShared(&g_lock);
    return check;
}

void WaitForAnswers(const std::vector<std::string>& roots, unsigned long long ms)
{
    const ULONGLONG begin = GetTickCount64();
    AcquireSRWLockExclusive(&g_lock);
    for (;;) {
        bool pending = false;
        for (const std::string& root : roots) {
            const auto it = g_servers.find(ServerKey(ServerOf(root)));
            pending = pending || (it != g_servers.end() && it->second.m_bChecking);
        }
        const ULONGLONG spent = GetTickCount64() - begin;
        if (!pending || spent >= ms)
            break;
        SleepConditionVariableSRW(&g_answered, &g_lock, DWORD(ms - spent), 0);
    }
    ReleaseSRWLockExclusive(&g_lock);
}
