// What the file system takes: a folder's name, names compared as it compares them, paths and
// their lengths. The store's own rules on names (its files, its temporaries, what a category may
// be called) are in own_names.h, which builds on these and never the other way round.
// Portable: no windows.h, tested natively.
#pragma once

#include "text/codepage.h"

#include <string>
#include <string_view>

// True when a folder can carry name: not empty, at most 255 bytes, no control character, none of
// \ / : * ? " < > |, no trailing dot or space, not a reserved device name (CON, NUL, COM1...,
// also with an extension), no broken character (a lead byte without its trail bytes, in UTF-8
// also a byte that starts no character). '#' separates category levels, so a
// category name may not hold one; an area name may (areas of drive-letter devices do).
bool IsFolderName(const std::string& name, const CodePage& cp, bool allowHash);

// folder + '\' + child, with exactly one backslash between them.
std::string JoinPath(const std::string& folder, std::string_view child, const CodePage& cp);

// Equal when ASCII letters are folded, as the file system compares names.
bool SameName(std::string_view a, std::string_view b);

// A device root the store may use: a drive path "X:\..." or a UNC path "\\server\share...".
// Anything else (empty, "dir", "C:dir") would resolve against the current directory.
bool IsAbsoluteRoot(const std::string& root);

// What the ANSI file calls take, in bytes without the terminator: MAX_PATH - 1 for files, and
// MAX_PATH - 12 - 1 for CreateDirectoryA (room for an 8.3 name inside).
constexpr size_t kMaxFilePath = 259;
constexpr size_t kMaxFolderPath = 247;
