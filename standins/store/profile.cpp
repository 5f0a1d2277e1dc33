#include "profile.h"

#include "names.h"
#include "profile_text.h"

#include <windows.h>

#include <algorithm>

bool ReadProfileSection(const std::string& file, const char* section,
                        std::vector<std::string>& lines)
{
    lines.clear();
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (file.size() > kMaxFilePath ||
        !GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data))
        return false;
    // A buffer that is too small comes back filled to its size - 2: grow it and read again. A
    // section takes no more than its file, so one of the file's size mostly does at once.
    const DWORD largest = 64u << 20;
    const DWORD first = data.nFileSizeHigh || data.nFileSizeLow > largest / 4
                            ? largest / 4
                            : std::max<DWORD>(4096, data.nFileSizeLow + 16);
    for (DWORD size = first; size <= largest; size *= 4) {
        std::string buffer(size, '\0');
        const DWORD n = GetPrivateProfileSectionA(section, buffer.data(), size, file.c_str());
        if (n + 2 >= size)
            continue;
        lines = SectionLines(buffer.data(), n);
        return true;
    }
    return false;
}
