#include "trace/trace.h"

#include "site/storage_ini.h"
#include "trace/trace_writer.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace trace_detail {

std::atomic<int> g_state{0};

namespace {

// A text argument is cut to this many bytes.
const size_t kTextBytes = 60;

INIT_ONCE g_once = INIT_ONCE_STATIC_INIT;

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
        // Not opened here: the writer opens it, so that no call waits on where it lies.
        if (!path.empty())
            SetTracePath(path);
        g_state.store(path.empty() ? 1 : 2);
    } catch (...) {
        g_state.store(1);
    }
    return TRUE;
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

// One line: the time at end (a counter reading), the process and thread, the call with its
// arguments, its answer and how long it took. Made without printf: its cost is most of what a
// traced call adds.
std::string Line(const char* call, std::initializer_list<TraceArg> args, const TraceArg& answer,
                 unsigned long long start, unsigned long long end)
{
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
    return line;
}

}  // namespace

bool Decide()
{
    const DWORD error = GetLastError();
    InitOnceExecuteOnce(&g_once, DecideOnce, nullptr, nullptr);
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
        HandToWriter(Line(call, args, answer, start, end));
    } catch (...) {
        // A trace line that could not be made is left out.
    }
    SetLastError(error);
}

std::string DroppedLine(unsigned long long count)
{
    const unsigned long long now = Now();
    return Line("TraceLinesDropped", {}, TraceArg(static_cast<long long>(count)), now, now);
}

}  // namespace trace_detail
