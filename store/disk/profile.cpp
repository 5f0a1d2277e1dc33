#include "disk/profile.h"

#include "names/folder_names.h"
#include "formats/profile_text.h"

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
    const DWORD largest = 64u << 20;
    for (DWORD size = 4096; size <= largest; size *= 4) {
        std::string buffer(size, '\0');
        const DWORD n = GetPrivateProfileSectionA(section, buffer.data(), size, file.c_str());
        if (n + 2 >= size)
            continue;
        lines = SectionLines(buffer.data(), n);
        return true;
    }
    return false;
}
