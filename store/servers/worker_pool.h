// Reads of many folders or files at once, so that a slow file server costs round trips in
// flight, not one after another. Per-thread state (a cached pass, a listing) belongs to the
// calling thread: a job only reads and fills its own result, and the caller stores it.
#pragma once

#include <cstddef>
#include <functional>

// Enough reads in flight to hide a slow link's latency, few enough that one tree build does
// not flood a share (or tie up many threads on a server that stops answering).
constexpr size_t kPoolThreads = 8;

// Runs job(0) .. job(count - 1) on up to kPoolThreads threads and returns when every job is
// done. A job that threw, and every job when no thread could be started, is run again on the
// calling thread, where what it throws reaches the caller.
void RunOnPool(size_t count, const std::function<void(size_t)>& job);
