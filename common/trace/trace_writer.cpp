#include "trace/trace_writer.h"

#include <windows.h>

namespace trace_detail {
namespace {

// The file is cut over when it reaches this size: one old file is kept, PATH.1.
const ULONGLONG kCutOverBytes = 1 << 20;
// A batch goes out at 16 KB, or 100 ms after its oldest line came: a write to a file costs Wine
// far more than a store call answered from its pass.
const size_t kBatchBytes = 16 * 1024;
const ULONGLONG kBatchMs = 100;
// What may wait for the writer (about 2,000 lines); beyond it lines are dropped.
const size_t kQueueBytes = 256 * 1024;
// At the end of the process the writer is gone; what it left queued is written only to a file
// whose last write answered within this long, so that a dead server cannot hold the exit.
const ULONGLONG kExitWriteMs = 100;

// Whether the process is ending (ntdll's RtlDllShutdownInProgress, looked up so that the
// libraries import only what they did).
using ShutdownInProgressFn = BOOLEAN(NTAPI*)();
ShutdownInProgressFn g_shutdownInProgress = nullptr;

struct CQueue {
    SRWLOCK lock = SRWLOCK_INIT;
    CONDITION_VARIABLE batchFull = CONDITION_VARIABLE_INIT;
    std::string lines;
    unsigned long long represented = 0;  // the calls those lines stand for, counted ones too
    ULONGLONG since = 0;              // when the oldest queued line came
    unsigned long long dropped = 0;   // lines lost since the last count line
    bool running = false;             // a writer runs, or is being started
    bool inFileCall = false;          // the writer is inside a call on the file
    // The batch the writer took, and how far it got: the end of the process writes it again
    // only when its write had not begun.
    std::string batch;
    enum Stage { Taken, Writing, Written } stage = Written;
} g_queue;

// The writer's alone: one writer runs at a time, and the library's unload comes after it.
struct CFile {
    std::string path;
    HANDLE mutex = nullptr;  // named after the file: its writers, of every library and process
    bool answered = false;   // the last batch reached the file
    ULONGLONG lastCallMs = ~0ull;  // how long the file took over it; ~0 before the first
} g_file;

// Appends of several writers to a file on a server are not whole on every file system (the
// client may place two at the same end): every writer of the file, in every library and process
// of the machine, writes under a mutex named after it.
HANDLE FileMutex(const std::string& path)
{
    std::string name = "Local\\vorlanx-trace-";
    unsigned long long hash = 14695981039346656037ull;
    for (const char c : path)
        hash = (hash ^ static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c)) *
               1099511628211ull;
    name += std::to_string(hash);
    return CreateMutexA(nullptr, FALSE, name.c_str());
}

// The file is opened at its path for each batch: one that was removed, moved aside or replaced
// by a folder meanwhile takes no lines that nobody will read.
HANDLE Open()
{
    return CreateFileA(g_file.path.c_str(), FILE_APPEND_DATA,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Under the file's mutex: the writer that holds it looks at the file at the path again, so that
// only one of them moves it aside.
void CutOver()
{
    const HANDLE file = Open();
    LARGE_INTEGER size = {};
    const bool full = file != INVALID_HANDLE_VALUE && GetFileSizeEx(file, &size) &&
                      ULONGLONG(size.QuadPart) >= kCutOverBytes;
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (full)
        MoveFileExA(g_file.path.c_str(), (g_file.path + ".1").c_str(), MOVEFILE_REPLACE_EXISTING);
}

// One WriteFile of whole lines on a handle that appends: lines of several threads and
// processes never mix. False when the lines did not reach the file (a full disk, a lost server,
// a folder in its place). waitMs: how long it waits for another writer of the file; then it
// writes all the same.
bool WriteBatch(const std::string& batch, DWORD waitMs)
{
    if (!g_file.mutex)
        g_file.mutex = FileMutex(g_file.path);
    const DWORD waited = g_file.mutex ? WaitForSingleObject(g_file.mutex, waitMs) : WAIT_FAILED;
    const bool owned = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    const ULONGLONG start = GetTickCount64();
    const HANDLE file = Open();
    DWORD written = 0;
    LARGE_INTEGER size = {};
    g_queue.stage = CQueue::Writing;
    const bool wrote = file != INVALID_HANDLE_VALUE &&
                       WriteFile(file, batch.data(), DWORD(batch.size()), &written, nullptr) &&
                       written == batch.size();
    g_queue.stage = CQueue::Written;
    const bool full = wrote && GetFileSizeEx(file, &size) &&
                      ULONGLONG(size.QuadPart) >= kCutOverBytes;
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    g_file.lastCallMs = GetTickCount64() - start;
    g_file.answered = wrote;
    if (full && owned)
        CutOver();
    if (owned)
        ReleaseMutex(g_file.mutex);
    return wrote;
}

// Under the queue's lock, which it gives up while it calls the file.
void WriteWhileQueued()
{
    // Started before the first line (the trace was just turned on): its call is under way.
    if (g_queue.lines.empty())
        SleepConditionVariableSRW(&g_queue.batchFull, &g_queue.lock, DWORD(kBatchMs), 0);
    std::string& batch = g_queue.batch;
    for (;;) {
        for (ULONGLONG waited; !g_queue.lines.empty() && g_queue.lines.size() < kBatchBytes &&
                               (waited = GetTickCount64() - g_queue.since) < kBatchMs;)
            SleepConditionVariableSRW(&g_queue.batchFull, &g_queue.lock, DWORD(kBatchMs - waited),
                                      0);
        if (g_queue.lines.empty() && g_queue.dropped && g_file.answered) {
            // The file answers again and no line came since: the count goes in alone.
            try {
                g_queue.lines = DroppedLine(g_queue.dropped);
                g_queue.represented = g_queue.dropped;
                g_queue.dropped = 0;
            } catch (...) {
                // Out of memory: the count waits for the next line.
            }
        }
        if (g_queue.lines.empty())
            return;
        batch.swap(g_queue.lines);
        g_queue.stage = CQueue::Taken;
        const unsigned long long represented = g_queue.represented;
        g_queue.represented = 0;
        g_queue.inFileCall = true;
        ReleaseSRWLockExclusive(&g_queue.lock);
        bool wrote = false;
        try {
            wrote = WriteBatch(batch, 5000);
        } catch (...) {
            // Out of memory in a cut-over: the batch counts as lost.
        }
        AcquireSRWLockExclusive(&g_queue.lock);
        g_queue.inFileCall = false;
        if (!wrote)
            g_queue.dropped += represented;
        batch.clear();
    }
}

DWORD WINAPI WriterMain(void* module)
{
    AcquireSRWLockExclusive(&g_queue.lock);
    if (g_file.lastCallMs == ~0ull) {
        // Opened at once, so that the end of the process knows whether the file answers.
        g_queue.inFileCall = true;
        ReleaseSRWLockExclusive(&g_queue.lock);
        const ULONGLONG start = GetTickCount64();
        const HANDLE file = Open();
        g_file.answered = file != INVALID_HANDLE_VALUE;
        if (g_file.answered)
            CloseHandle(file);
        g_file.lastCallMs = GetTickCount64() - start;
        AcquireSRWLockExclusive(&g_queue.lock);
        g_queue.inFileCall = false;
    }
    WriteWhileQueued();
    g_queue.running = false;
    ReleaseSRWLockExclusive(&g_queue.lock);
    // The library may go with this reference; nothing of it runs after.
    FreeLibraryAndExitThread(static_cast<HMODULE>(module), 0);
}

// The writer holds a reference on its library, as the store's workers do: a host that frees the
// library while the writer waits on the file does not unmap the code it runs.
bool StartWriter()
{
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCSTR>(&WriterMain), &self))
        return false;
    const HANDLE thread = CreateThread(nullptr, 64 * 1024, WriterMain, self,
                                       STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (!thread) {
        FreeLibrary(self);
        return false;
    }
    CloseHandle(thread);
    return true;
}

// A file on this machine: not a share, nor a drive that the system calls remote.
bool IsLocal(const std::string& path)
{
    if (path.size() < 3 || path[1] != ':' || (path[2] != '\\' && path[2] != '/'))
        return false;
    const char root[] = {path[0], ':', '\\', 0};
    return GetDriveTypeA(root) != DRIVE_REMOTE;
}

// As the library unloads. On FreeLibrary the writer has ended (its reference kept the library
// until then), and nothing is left to write. At the end of the process the system has ended the
// writer wherever it was. A local file takes what it left: the batch it held unless its write
// had begun (which may have reached the file), then the queue. Another file takes the queue only
// when the writer was in no call on it and it answered its last call quickly: a dead server
// must not hold the end of the process.
struct CAtUnload {
    ~CAtUnload()
    {
        if (!TryAcquireSRWLockExclusive(&g_queue.lock))
            return;  // the writer ended inside it
        const bool local = IsLocal(g_file.path);
        const bool quick = local || (!g_queue.inFileCall && g_file.lastCallMs <= kExitWriteMs);
        if (quick) {
            try {
                if (g_queue.inFileCall && g_queue.stage == CQueue::Taken)
                    g_queue.lines.insert(0, g_queue.batch);
                if (!g_queue.lines.empty())
                    WriteBatch(g_queue.lines, DWORD(kExitWriteMs));
            } catch (...) {
                // Out of memory: the lines are lost, or written and the file not cut over.
            }
        }
        if (g_file.mutex)
            CloseHandle(g_file.mutex);
        g_file.mutex = nullptr;
        ReleaseSRWLockExclusive(&g_queue.lock);
    }
} g_atUnload;

}  // namespace

void SetTracePath(const std::string& path)
{
    g_file.path = path;
    if (const HMODULE ntdll = GetModuleHandleA("ntdll.dll"))
        g_shutdownInProgress = reinterpret_cast<ShutdownInProgressFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(ntdll, "RtlDllShutdownInProgress")));
    // The writer opens the file while the first call runs.
    AcquireSRWLockExclusive(&g_queue.lock);
    g_queue.running = StartWriter();
    ReleaseSRWLockExclusive(&g_queue.lock);
}

void HandToWriter(const std::string& line)
{
    AcquireSRWLockExclusive(&g_queue.lock);
    const size_t before = g_queue.lines.size();
    if (before + line.size() > kQueueBytes) {
        ++g_queue.dropped;
    } else {
        try {
            if (before == 0)
                g_queue.since = GetTickCount64();
            if (g_queue.dropped) {
                g_queue.lines += DroppedLine(g_queue.dropped);
                g_queue.represented += g_queue.dropped;
                g_queue.dropped = 0;
            }
            g_queue.lines += line;
            ++g_queue.represented;
        } catch (...) {
            ++g_queue.dropped;  // out of memory
        }
    }
    const bool wake = before == 0 || (before < kBatchBytes && g_queue.lines.size() >= kBatchBytes);
    // A thread started while the process ends would never run: the lines wait for the unload.
    const bool start =
        !g_queue.running && !(g_shutdownInProgress && g_shutdownInProgress());
    g_queue.running = g_queue.running || start;
    ReleaseSRWLockExclusive(&g_queue.lock);
    if (wake)
        WakeConditionVariable(&g_queue.batchFull);
    if (start && !StartWriter()) {
        // No thread to be had: the lines wait for the next call to try again.
        AcquireSRWLockExclusive(&g_queue.lock);
        g_queue.running = false;
        ReleaseSRWLockExclusive(&g_queue.lock);
    }
}

}  // namespace trace_detail
