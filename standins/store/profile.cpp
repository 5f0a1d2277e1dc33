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

std::string ProfileValue(const std::string& raw)
{
    std::string value = raw;
    for (size_t semi = value.find(';'); semi != std::string::npos; semi = value.find(';', semi + 1)) {
        if (semi == 0 || value[semi - 1] == ' ' || value[semi - 1] == '\t') {
            value.resize(semi);
            break;
        }
    }
    value = Trim(value);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return value;
}
