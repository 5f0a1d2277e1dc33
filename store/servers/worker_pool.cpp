#include "servers/worker_pool.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace {

struct CPoolWork {
    const std::function<void(size_t)>* m_job;
    size_t m_nCount;
    volatile LONG m_nNext = 0;
    std::unique_ptr<volatile LONG[]> m_failed;  // per job: it threw
};

void TakeJobs(CPoolWork& work)
{
    for (;;) {
        const size_t i = size_t(InterlockedIncrement(&work.m_nNext) - 1);
        if (i >= work.m_nCount)
            return;
        try {
            (*work.m_job)(i);
        } catch (...) {
            work.m_failed[i] = 1;
        }
    }
}

DWORD WINAPI PoolWorker(void* param)
{
    TakeJobs(*static_cast<CPoolWork*>(param));
    return 0;
}

}  // namespace

void RunOnPool(size_t count, const std::function<void(size_t)>& job)
{
    if (count == 0)
        return;
    CPoolWork work{&job, count, 0, std::unique_ptr<volatile LONG[]>(new volatile LONG[count]())};
    std::vector<HANDLE> threads;
    const size_t wanted = count < kPoolThreads ? count : kPoolThreads;
    threads.reserve(wanted);
    // The caller waits for its workers below, so none of them outlives this call or the library.
    for (size_t i = 1; i < wanted; ++i) {
        const HANDLE thread = CreateThread(nullptr, 256 * 1024, PoolWorker, &work,
                                           STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
        if (!thread)
            break;
        threads.push_back(thread);
    }
    TakeJobs(work);  // the caller is a worker too
    if (!threads.empty())
        WaitForMultipleObjects(DWORD(threads.size()), threads.data(), TRUE, INFINITE);
    for (HANDLE thread : threads)
        CloseHandle(thread);
    for (size_t i = 0; i < count; ++i)
        if (work.m_failed[i])
            job(i);
}
