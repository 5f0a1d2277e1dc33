// Texts cut to what the category record holds. Portable: no windows.h, tested natively.
#pragma once

#include "text/codepage.h"

#include <string>

// The first size bytes, up to the first zero byte; only a longer text than the record's 255
// bytes (something else wrote it) is cut, at the last whole character within them.
std::string CutToRecord(const char* bytes, size_t size, const CodePage& cp);
