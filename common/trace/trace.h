// A trace for support: one line per call of a library's entry points, when the site asks for it
// (VORLANX_TRACE=PATH in the environment, or "trace = PATH" in section [options] of the
// storage.ini beside the library). Decided once per library and process; off, a call costs one
// load of a flag. On, a call makes its line and hands it to the trace's writer (trace_writer.h),
// which alone touches the file: no call waits on it, wherever it lies. Every library that links
// this writes its own lines to the one file: whole lines, appended, from any thread or process;
// the file is cut over to PATH.1 at 1 MB. A trace that cannot be written changes nothing: no
// answer, no error code.
#pragma once

#include <atomic>
#include <initializer_list>

// One argument of a traced call: a text (cut to 60 bytes in the line) or a number.
struct TraceArg {
    TraceArg(const char* text) : m_text(text), m_bText(true) {}
    TraceArg(char* text) : m_text(text), m_bText(true) {}
    TraceArg(int number) : m_nNumber(number) {}
    TraceArg(long long number) : m_nNumber(number) {}
    const char* m_text = nullptr;
    long long m_nNumber = 0;
    bool m_bText = false;
};

namespace trace_detail {
extern std::atomic<int> g_state;  // 0 not decided yet, 1 off, 2 on
bool Decide();
unsigned long long Now();
void Write(const char* call, std::initializer_list<TraceArg> args, const TraceArg& answer,
           unsigned long long start);
}  // namespace trace_detail

inline bool TraceOn()
{
    const int state = trace_detail::g_state.load(std::memory_order_relaxed);
    return state == 2 || (state == 0 && trace_detail::Decide());
}

// Runs body, the call, and traces it with its answer (an int code or a returned text).
template <typename Body>
auto Traced(const char* call, std::initializer_list<TraceArg> args, Body body)
{
    if (!TraceOn())
        return body();
    const unsigned long long start = trace_detail::Now();
    auto answer = body();
    trace_detail::Write(call, args, TraceArg(answer), start);
    return answer;
}
