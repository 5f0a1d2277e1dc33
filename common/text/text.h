// Text helpers that know double-byte characters. Portable: no windows.h.
#pragma once

#include "text/codepage.h"

#include <string>
#include <vector>

// The pieces of text between the separators; a separator byte inside a double-byte character
// does not count. "" gives one empty piece.
std::vector<std::string> Split(const std::string& text, char separator, const CodePage& cp);

// Where the character c first stands in text at or after the byte start, as _mbschr finds it: a
// byte of a double-byte character is no match. npos when it is not there.
size_t FindChar(const std::string& text, char c, size_t start, const CodePage& cp);
