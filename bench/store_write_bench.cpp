// Writers on our store at once: eight threads in each of two processes edit one category, as many
// hosts on one machine do. Side by side in one run with its floor: the same number of edits made
// one after another by a single thread, which waits for no one. Prints edits per second of both,
// their ratio, and the refusals, which must be none.
#include "support/fixtures/deployment.h"
#include "support/store/store_calls.h"
#include "support/store/store_forwarder.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;
const int kThreads = 8, kRounds = 25, kEdits = 2 * kThreads * kRounds;

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

bool WaitFor(const std::string& path)
{
    for (int i = 0; i < 60000 / 2; ++i, Sleep(2))
        if (Exists(path))
            return true;
    return false;
}

// The second process: share_writer.exe of the tests, on this deployment's store (device 5).
bool StartSecondWriter(const std::string& folder, const std::string& tag)
{
    const std::string tests = BinFolder().substr(0, BinFolder().find_last_of('\\')) + "\\tests";
    std::string command = "\"" + tests + "\\share_writer.exe\" \"" + folder + "\" " + tag + " " +
                          std::to_string(kThreads) + " " + std::to_string(kRounds);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                        nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return WaitFor(folder + "\\" + tag + ".started");
}

}  // namespace

int main()
{
    Deployment deployment;
    const std::string root = deployment.MakeDevice("5");
    deployment.WriteStorageIni({{"5", root}});
    MakeArea(root + "\\userroot\\storage", "AREA1", "open");
    if (!ForwardStoreTo(deployment))
        return 1;
    CCategoryData record = MakeRecord("CAT", "");
    if (talmor_NewCategory("5", "AREA1", "", &record) != 1)
        return 1;

    double best = 1e9, bestFloor = 1e9;
    int refusals = 0, first = 0;
    for (int round = 0; round < 3; ++round) {
        int firstHere = 0;
        auto start = Clock::now();
        refusals += RaceEdits("5", "AREA1", "CAT", "F", 1, kEdits, firstHere);
        bestFloor = std::min(bestFloor, Seconds(Clock::now() - start));

        const std::string tag = "B" + std::to_string(round);
        if (!StartSecondWriter(deployment.Folder(), tag))
            return 1;
        start = Clock::now();
        refusals += RaceEdits("5", "AREA1", "CAT", "A", kThreads, kRounds, firstHere);
        if (!WaitFor(deployment.Folder() + "\\" + tag + ".result"))
            return 1;
        best = std::min(best, Seconds(Clock::now() - start));
        int other = 0, otherFirst = 0;
        sscanf(ReadTextFile(deployment.Folder() + "\\" + tag + ".result").c_str(), "%d %d", &other,
               &otherFirst);
        refusals += other;
        first = first ? first : (firstHere ? firstHere : otherFirst);
    }
    printf("edits of one category, %d in all: 2 processes x %d threads against 1 thread alone\n",
           kEdits, kThreads);
    printf("  2 x %d writers  %7.1f edits/s\n", kThreads, kEdits / best);
    printf("  1 writer       %7.1f edits/s   ratio %.2f\n", kEdits / bestFloor, best / bestFloor);
    printf("  refusals: %d%s\n", refusals,
           refusals ? (" (first " + std::to_string(first) + ")").c_str() : "");
    return refusals == 0 ? 0 : 2;
}
