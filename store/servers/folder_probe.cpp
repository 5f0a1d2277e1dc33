#include "servers/folder_probe.h"

#include "disk/folders.h"
#include "servers/worker_pool.h"

#include <windows.h>

#include <memory>

namespace {

// Shared by the caller and its probes: a probe that answers after the caller left still has
// somewhere to put its answer.
// As many at once as the pool of readers: a site of many devices on shares does not start a
// thread for each, and a root that does not answer holds one of them.
const size_t kProbeThreads = kPoolThreads;

struct CProbes {
    SRWLOCK lock = SRWLOCK_INIT;
    CONDITION_VARIABLE answered = CONDITION_VARIABLE_INIT;
    std::vector<std::string> paths;
    std::vector<FolderProbe> answers;
    volatile LONG next = 0;  // the next path to ask for
};

struct CProbeJob {
    std::shared_ptr<CProbes> probes;
    HMODULE module;
};

// Asks for the paths not yet taken, one after another.
void Answer(CProbes& probes)
{
    for (size_t i; (i = size_t(InterlockedIncrement(&probes.next) - 1)) < probes.paths.size();) {
        const FolderProbe answer =
            IsDirectory(probes.paths[i]) ? FolderProbe::folder : FolderProbe::notFolder;
        AcquireSRWLockExclusive(&probes.lock);
        probes.answers[i] = answer;
        ReleaseSRWLockExclusive(&probes.lock);
        WakeAllConditionVariable(&probes.answered);
    }
}

// Holds a reference on its library, as the servers' workers do: it may outlive the call.
DWORD WINAPI ProbeWorker(void* param)
{
    std::unique_ptr<CProbeJob> job(static_cast<CProbeJob*>(param));
    const HMODULE self = job->module;
    Answer(*job->probes);
    job.reset();
    FreeLibraryAndExitThread(self, 0);
}

bool StartProbe(const std::shared_ptr<CProbes>& probes)
{
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCSTR>(&ProbeWorker), &self))
        return false;
    auto job = std::make_unique<CProbeJob>(CProbeJob{probes, self});
    const HANDLE thread = CreateThread(nullptr, 64 * 1024, ProbeWorker, job.get(),
                                       STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (!thread) {
        FreeLibrary(self);
        return false;
    }
    job.release();
    CloseHandle(thread);
    return true;
}

}  // namespace

std::vector<FolderProbe> ProbeFolders(const std::vector<std::string>& paths, unsigned long long ms)
{
    auto probes = std::make_shared<CProbes>();
    probes->paths = paths;
    probes->answers.assign(paths.size(), FolderProbe::noAnswer);
    const ULONGLONG begin = GetTickCount64();
    size_t started = 0;
    while (started < paths.size() && started < kProbeThreads && StartProbe(probes))
        ++started;
    if (started == 0 && !paths.empty())
        Answer(*probes);  // no thread to be had
    AcquireSRWLockExclusive(&probes->lock);
    for (;;) {
        bool pending = false;
        for (const FolderProbe answer : probes->answers)
            pending = pending || answer == FolderProbe::noAnswer;
        const ULONGLONG spent = GetTickCount64() - begin;
        if (!pending || spent >= ms)
            break;
        SleepConditionVariableSRW(&probes->answered, &probes->lock, DWORD(ms - spent), 0);
    }
    std::vector<FolderProbe> answers = probes->answers;
    ReleaseSRWLockExclusive(&probes->lock);
    return answers;
}
