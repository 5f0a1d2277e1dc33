#include "disk/profile.h"

#include "names/folder_names.h"
#include "site/profile_text.h"

#include <windows.h>

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
