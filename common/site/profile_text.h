// The text of the store's INI files (storage.ini, login.ctl) once the system's profile functions
// have read a section. Portable: no windows.h, tested natively.
#pragma once

#include <string>
#include <vector>

// The lines of a section buffer as GetPrivateProfileSectionA fills it: n bytes of strings, each
// ended by a zero, the list ended by an empty one.
std::vector<std::string> SectionLines(const char* buffer, size_t n);

// A "key = value" line taken apart: the key without the spaces around it, the value as
// ProfileValue gives it. False for a line without '='.
bool SplitProfileLine(const std::string& line, std::string& key, std::string& value);

// A value as people write it, without the spaces around it, a comment after it (';' after a
// space) and quotes around it. The documented forms of the files carry such comments.
std::string ProfileValue(const std::string& raw);
