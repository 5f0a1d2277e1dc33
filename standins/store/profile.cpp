#include "profile.h"

#include "names.h"

#include <windows.h>

#include <cstring>

bool ReadProfileSection(const std::string& file, const char* section,
                        std::vector<std::string>& lines)
{
    lines.clear();
    if (file.size() > kMaxFilePath || GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    // A buffer that is too small comes back filled to its size - 2: grow it and read again.
    const DWORD largest = 64u << 20;
    for (DWORD size = 4096; size <= largest; size *= 4) {
        std::string buffer(size, '\0');
        const DWORD n = GetPrivateProfileSectionA(section, buffer.data(), size, file.c_str());
        if (n + 2 >= size)
            continue;
        for (const char* line = buffer.c_str(); line < buffer.c_str() + n && *line;
             line += strlen(line) + 1)
            lines.emplace_back(line);
        return true;
    }
    return false;
}
