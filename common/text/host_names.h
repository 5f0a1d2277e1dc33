// Names between the file system, which keeps them in UTF-16, and the host's code page. A name
// crosses only when the code page writes it exactly: no best-fit look-alike, no default
// character, and back again it is the very same name. A host must never get a name that means
// another entry, or none.
#pragma once

#include <string>

// The number of the ANSI file functions' code page: the host's, or its OEM one after
// SetFileApisToOEM.
unsigned FileCodePage();

// The host's bytes for the file system's name; false when the code page cannot write it
// exactly (out is then empty). Pure ASCII needs no conversion.
bool ToHostName(const wchar_t* name, size_t length, std::string& out);

// True when the host's bytes name exactly one name of the file system: they convert with no
// invalid sequence and back to the same bytes. Pure ASCII always does.
bool IsExactHostName(const std::string& name);

// A path as the ANSI file functions read it, for their wide twins: its names were checked on
// their way in, or came from the file system exactly.
std::wstring WidePath(const std::string& path);

// A name the code page cannot write, shown in ASCII: each other UTF-16 unit as <U+XXXX>, which
// no file name can hold (Windows takes no '<' in one), so it is never taken for a name.
std::string EscapedName(const wchar_t* name, size_t length);

// Of the code pages hosts commonly run on, those that write name exactly, as "1250, 65001".
std::string CodePagesWriting(const wchar_t* name, size_t length);
