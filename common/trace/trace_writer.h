// The trace's writer: callers hand it whole lines and never wait on the trace's file. A thread
// of the trace's own writes them, a batch at a time, holding a reference on its library while it
// runs; it ends when nothing is left to write. The queue is bounded: a line that does not fit
// is dropped and counted, and the count goes in as a line of its own before the next line that
// fits. A batch that cannot be written is counted the same way.
#pragma once

#include <string>

namespace trace_detail {

// Where the lines go; set once, before the first line.
void SetTracePath(const std::string& path);

// Queues line (whole, with its line end) for the writer, starting the writer when none runs.
void HandToWriter(const std::string& line);

// The line that says how many lines were dropped; made by the trace's own line maker.
std::string DroppedLine(unsigned long long count);

}  // namespace trace_detail
