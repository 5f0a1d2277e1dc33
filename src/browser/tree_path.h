// Storage-area paths of tree items. Portable: no windows.h.
//
// The path names an item by the texts from its device down: C: for a device, C:AREA1 or
// 12:AREA1 for an area (a device text that goes on after its ':' keeps a '/' before the area:
// A:FLOPPY/AREA1), C:AREA1/CAT/SUB for categories. The root item has the empty path.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// levels: the item texts from the device down to the item itself (the root left out).
std::string BuildSelectedPath(const std::vector<std::string>& levels);

// The category argument of the store: levels outermost first, joined with '#'.
std::string JoinCategoryLevels(const std::vector<std::string>& outermostFirst);

// The path of an entry's login control file, X:\userroot\storage\ENTRY\login.ctl, where X is
// the device's first character. Written into buffer when it fits, the terminator included;
// answers the path's length either way.
size_t FormatLoginPath(char* buffer, size_t size, char drive, const char* entry, size_t length);
