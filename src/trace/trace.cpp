#include "trace/trace.h"

#include "site/storage_ini.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace trace_detail {

std::atomic<int> g_state{0};

namespace {

// The file is cut over when it reaches this size: one old file is kept, PATH.1.
const LONGLONG kCutOverBytes = 1 << 20;
// A text argument is cut to this many bytes.
const size_t kTextBytes = 60;

// Lines are gathered and written a batch at a time, whole lines only: a write to a file costs
// Wine far more than a store call answered from its pass. A batch goes out at 16 KB, at the first
// line after 100 ms, and when the library unloads.
const size_t kBatchBytes = 16 * 1024;
const ULONGLONG kBatchMs = 100;

void Flush(std::string& batch);

struct CTraceFile {
    INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    SRWLOCK lock = SRWLOCK_INIT;  // shared while writing, exclusive while cutting over
    std::string path;
    HANDLE file = INVALID_HANDLE_VALUE;
    SRWLOCK batchLock = SRWLOCK_INIT;
    std::string batch;
    ULONGLONG batchSince = 0;
    ~CTraceFile()
    {
        if (file == INVALID_HANDLE_VALUE)
            return;
        Flush(batch);
        CloseHandle(file);
    }
} g_trace;

HANDLE Open(const std::string& path)
{
    return CreateFileA(path.c_str(), FILE_APPEND_DATA,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The lines' clock: the wall time at the decision, carried on by the performance counter, which
// costs less to read than the wall clock.
struct CClock {
    unsigned long long startCounter = 0, frequency = 1;
    ULONGLONG startWall = 0;
} g_clock;

// Counter ticks in units of 1 / perSecond s, without overflow however long the process runs.
unsigned long long Scaled(unsigned long long ticks, unsigned long long perSecond)
{
    return ticks / g_clock.frequency * perSecond + ticks % g_clock.frequency * perSecond /
                                                       g_clock.frequency;
}

BOOL CALLBACK DecideOnce(PINIT_ONCE, PVOID, PVOID*)
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    FILETIME wall;
    GetSystemTimePreciseAsFileTime(&wall);
    g_clock.frequency = frequency.QuadPart > 0 ? static_cast<unsigned long long>(frequency.QuadPart) : 1;
    g_clock.startCounter = static_cast<unsigned long long>(counter.QuadPart);
    g_clock.startWall = (ULONGLONG(wall.dwHighDateTime) << 32) | wall.dwLowDateTime;
    try {
        char value[MAX_PATH] = {};
        const DWORD n = GetEnvironmentVariableA("VORLANX_TRACE", value, sizeof value);
        std::string path = n > 0 && n < sizeof value ? value : "";
        if (path.empty())
            path = ReadOption("trace");
        if (!path.empty()) {
            g_trace.path = path;
            g_trace.file = Open(path);
        }
    } catch (...) {
        g_trace.file = INVALID_HANDLE_VALUE;
    }
    g_state.store(g_trace.file != INVALID_HANDLE_VALUE ? 2 : 1);
    return TRUE;
}

// Between processes the cut-over takes a mutex named after the file; the writer that holds it
// looks at the file at the path again, so that only one of them moves it aside.
void CutOver()
{
    std::string name = "Local\\vorlanx-trace-";
    unsigned long long hash = 14695981039346656037ull;
    for (const char c : g_trace.path)
        hash = (hash ^ static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c)) *
               1099511628211ull;
    name += std::to_string(hash);
    const HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
    if (!mutex)
        return;
    const DWORD waited = WaitForSingleObject(mutex, 5000);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
        AcquireSRWLockExclusive(&g_trace.lock);
        CloseHandle(g_trace.file);
        g_trace.file = Open(g_trace.path);
        LARGE_INTEGER size = {};
        if (g_trace.file != INVALID_HANDLE_VALUE && GetFileSizeEx(g_trace.file, &size) &&
            size.QuadPart >= kCutOverBytes) {
            CloseHandle(g_trace.file);
            MoveFileExA(g_trace.path.c_str(), (g_trace.path + ".1").c_str(),
                        MOVEFILE_REPLACE_EXISTING);
            g_trace.file = Open(g_trace.path);
        }
        ReleaseSRWLockExclusive(&g_trace.lock);
        ReleaseMutex(mutex);
    }
    CloseHandle(mutex);
}

// One WriteFile of whole lines on a handle that appends: lines of several threads and
// processes never mix.
void Flush(std::string& batch)
{
    if (batch.empty())
        return;
    LARGE_INTEGER size = {};
    AcquireSRWLockShared(&g_trace.lock);
    DWORD written = 0;
    const bool wrote = g_trace.file != INVALID_HANDLE_VALUE &&
                       WriteFile(g_trace.file, batch.data(), DWORD(batch.size()), &written,
                                 nullptr) &&
                       GetFileSizeEx(g_trace.file, &size);
    ReleaseSRWLockShared(&g_trace.lock);
    batch.clear();
    if (wrote && size.QuadPart >= kCutOverBytes)
        CutOver();
}

void Append(std::string& line, const TraceArg& arg)
{
    if (!arg.m_bText) {
        line += std::to_string(arg.m_nNumber);
        return;
    }
    if (!arg.m_text) {
        line += "null";
        return;
    }
    const size_t length = strnlen(arg.m_text, kTextBytes + 1);
    line += '"';
    for (size_t i = 0; i < length && i < kTextBytes; ++i) {
        const unsigned char c = static_cast<unsigned char>(arg.m_text[i]);
        char escaped[8];
        if (c < 0x20 || c == '"' || c == 0x7f) {
            snprintf(escaped, sizeof escaped, "\\x%02X", c);
            line += escaped;
        } else {
            line += char(c);
        }
    }
    line += length > kTextBytes ? "\"..." : "\"";
}

}  // namespace

bool Decide()
{
    const DWORD error = GetLastError();
    InitOnceExecuteOnce(&g_trace.once, DecideOnce, nullptr, nullptr);
    SetLastError(error);
    return g_state.load() == 2;
}

unsigned long long Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<unsigned long long>(now.QuadPart);
}

void Write(const char* call, std::initializer_list<TraceArg> args, const TraceArg& answer,
           unsigned long long start)
{
    const unsigned long long end = Now();
    const DWORD error = GetLastError();
    try {
        // The line is made without printf: its cost is most of what a traced call adds.
        const ULONGLONG wall = g_clock.startWall + Scaled(end - g_clock.startCounter, 10000000);
        const FILETIME ft = {DWORD(wall), DWORD(wall >> 32)};
        SYSTEMTIME t;
        FileTimeToSystemTime(&ft, &t);
        char head[96];
        char* p = head;
        const auto digits = [&p](unsigned long long value, int width, char after) {
            char* end = p + width;
            for (char* at = end; at != p;) {
                *--at = char('0' + value % 10);
                value /= 10;
            }
            p = end;
            if (after)
                *p++ = after;
        };
        digits(t.wYear, 4, '-'), digits(t.wMonth, 2, '-'), digits(t.wDay, 2, 'T');
        digits(t.wHour, 2, ':'), digits(t.wMinute, 2, ':'), digits(t.wSecond, 2, '.');
        digits(wall / 10 % 1000000, 6, 'Z');
        std::string line;
        line.reserve(256);
        line.append(head, p);
        line += " pid " + std::to_string(GetCurrentProcessId());
        line += " tid " + std::to_string(GetCurrentThreadId()) + " ";
        line += call;
        line += '(';
        const char* separator = "";
        for (const TraceArg& arg : args) {
            line += separator;
            Append(line, arg);
            separator = ", ";
        }
        line += ") -> ";
        Append(line, answer);
        const unsigned long long micro = Scaled(end - start, 1000000);
        p = head;
        digits(micro % 1000, 3, 0);
        line += " in " + std::to_string(micro / 1000) + "." + std::string(head, p) + " ms\r\n";
        std::string batch;
        const ULONGLONG now = GetTickCount64();
        AcquireSRWLockExclusive(&g_trace.batchLock);
        if (g_trace.batch.empty())
            g_trace.batchSince = now;
        g_trace.batch += line;
        if (g_trace.batch.size() >= kBatchBytes || now - g_trace.batchSince >= kBatchMs)
            batch.swap(g_trace.batch);
        ReleaseSRWLockExclusive(&g_trace.batchLock);
        Flush(batch);
    } catch (...) {
        // A trace line that could not be made is left out.
    }
    SetLastError(error);
}

}  // namespace trace_detail
