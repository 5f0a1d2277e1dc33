// The store's rules on names and paths. Portable: no windows.h, tested natively.
#pragma once

#include "text/codepage.h"

#include <string>
#include <vector>

// True when a folder can carry name: not empty, at most 255 bytes, no control character, none of
// \ / : * ? " < > |, no trailing dot or space, not a reserved device name (CON, NUL, COM1...,
// also with an extension), no lone lead byte at the end. '#' separates category levels, so a
// category name may not hold one; an area name may (areas of drive-letter devices do).
bool IsFolderName(const std::string& name, const CodePage& cp, bool allowHash);

// "CAT#SUB" -> {"CAT", "SUB"}; the empty text names the area itself and gives no level.
std::vector<std::string> SplitCategoryPath(const std::string& category, const CodePage& cp);

// What names a device whatever its spelling: ASCII case and a trailing ':' do not count
// ("c" and "C:" name one device).
std::string DeviceKey(const std::string& name);

// folder + '\' + child, with exactly one backslash between them.
std::string JoinPath(const std::string& folder, const std::string& child, const CodePage& cp);

// Removes spaces and tabs at both ends.
std::string Trim(const std::string& text);

// Equal when ASCII letters are folded, as the file system compares names.
bool SameName(const std::string& a, const std::string& b);

// A device root the store may use: a drive path "X:\..." or a UNC path "\\server\share...".
// Anything else (empty, "dir", "C:dir") would resolve against the current directory.
bool IsAbsoluteRoot(const std::string& root);

// What the ANSI file calls take, in bytes without the terminator: MAX_PATH - 1 for files, and
// MAX_PATH - 12 - 1 for CreateDirectoryA (room for an 8.3 name inside).
constexpr size_t kMaxFilePath = 259;
constexpr size_t kMaxFolderPath = 247;
// A category folder must also hold category.txt and the store's temporary files (12 and 11
// bytes after its backslash), so it can be at most 246 bytes long.
bool FitsCategoryFolder(const std::string& folder);
