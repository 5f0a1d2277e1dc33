// The order of a device's entries in the tree. Portable: no windows.h.
//
// Case is ignored: ASCII letters are folded to lower case and the characters compared as unsigned
// numbers, a double-byte character as one unit (lead byte * 256 + trail byte), a shorter text
// before any longer text that begins with it. So '_' sorts after the digits and before the
// letters, and '#' before both: an area's category entries follow the area, each below its parent.
// Entries that compare equal keep the order in which they were listed.
#pragma once

#include "text/codepage.h"

#include <string>
#include <vector>

// Negative, 0 or positive as a sorts before, with or after b.
int CompareEntries(const std::string& a, const std::string& b, const CodePage& cp);

// Sorts in place into that order; stable, O(n log n).
void SortEntries(std::vector<std::string>& entries, const CodePage& cp);
