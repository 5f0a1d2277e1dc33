#include "disk/profile.h"

#include "names/folder_names.h"
#include "site/profile_text.h"
#include "text/host_names.h"

#include <windows.h>

#include <cstring>

bool ReadProfileSection(const std::string& file, const char* section,
                        std::vector<std::string>& lines)
{
    lines.clear();
    if (file.size() > kMaxFilePath)
        return false;
    // A buffer that is too small comes back filled to its size - 2: grow it and read again. No
    // look at the file's size first: on a file server that costs as many round trips as the
    // read, and a section mostly fits the first buffer.
    // The first buffer is on the stack: an area's login.ctl is read for every area of a listing.
    const DWORD largest = 64u << 20;
    char first[4096];
    std::string grown;
    for (DWORD size = sizeof first; size <= largest; size *= 4) {
        char* buffer = first;
        if (size > sizeof first) {
            grown.assign(size, '\0');
            buffer = grown.data();
        }
        const DWORD n = GetPrivateProfileSectionA(section, buffer, size, file.c_str());
        if (n + 2 >= size)
            continue;
        lines = SectionLines(buffer, n);
        return true;
    }
    return false;
}

bool ReadExactProfileSection(const std::string& file, const char* section,
                             std::vector<std::string>& lines, std::vector<std::string>* unwritable)
{
    lines.clear();
    if (unwritable)
        unwritable->clear();
    if (file.size() > kMaxFilePath)
        return false;
    const std::wstring path = WidePath(file), name(section, section + strlen(section));
    std::wstring buffer;
    for (DWORD size = 4096; size <= (64u << 20); size *= 4) {
        buffer.assign(size, L'\0');
        const DWORD n = GetPrivateProfileSectionW(name.c_str(), buffer.data(), size, path.c_str());
        if (n + 2 >= size)
            continue;
        std::string text;
        for (const wchar_t* line = buffer.data(); *line; line += wcslen(line) + 1) {
            if (ToHostName(line, wcslen(line), text))
                lines.push_back(text);
            else if (unwritable)
                unwritable->push_back(EscapedName(line, wcslen(line)));
        }
        return true;
    }
    return false;
}
