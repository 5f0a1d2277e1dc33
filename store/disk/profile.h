// Sections of the store's INI files (storage.ini, login.ctl), read with the system's profile
// functions and always whole.
#pragma once

#include <string>
#include <vector>

// The "key = value" lines of section in file, as the system gives them (none for a missing
// file); false when its path is too long for the system or the section will not fit any buffer.
bool ReadProfileSection(const std::string& file, const char* section,
                        std::vector<std::string>& lines);

// The same for a section whose lines name what hosts get (storage.ini's devices and roots): a
// line is taken only as the host's code page writes it exactly, never with a look-alike in
// place of what it cannot write; unwritable, when given, gets each other line as EscapedName
// shows it.
bool ReadExactProfileSection(const std::string& file, const char* section,
                             std::vector<std::string>& lines,
                             std::vector<std::string>* unwritable = nullptr);
