// The sub-folder name rule. The walk itself is portable, with the code page's facts passed in,
// so it is tested and fuzzed natively.
#pragma once

#include "text/codepage.h"

// A sub-folder name holds at most this many bytes.
constexpr int kSubFolderNameMaxBytes = 8;

// 1 when every character of the first length bytes (up to a zero byte) passes: ASCII letters and
// digits, '-', '_', and in a multibyte code page every character whose first byte is 0x80 or
// above; 0 at the first character that fails. A trail byte is never tested on its own, and
// nothing past length or the terminator is read.
// A character is as the code page's facts tell (UTF-8's sequences too). An empty text passes.
int IsValidSubFolderName(const char* text, int length, const CodePage& cp);

// The same in the system's ANSI code page.
int IsValidSubFolderName(const char* text, int length);
