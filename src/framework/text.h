// Text helpers that know double-byte characters. Portable: no windows.h.
#pragma once

#include "framework/codepage.h"

#include <string>
#include <vector>

// The pieces of text between the separators; a separator byte inside a double-byte character
// does not count. "" gives one empty piece.
std::vector<std::string> Split(const std::string& text, char separator, const CodePage& cp);
