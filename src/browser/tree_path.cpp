#include "tree_path.h"

#include <algorithm>

std::string BuildSelectedPath(const std::vector<std::string>& levels)
{
    std::string path;
    for (size_t i = 0; i < levels.size(); ++i) {
        // The area follows a device text that ends in ':' directly: C:AREA1, 12:AREA1.
        const bool afterColon = i == 1 && !path.empty() && path.back() == ':';
        path += (i == 0 || afterColon ? "" : "/") + levels[i];
    }
    return path;
}

std::string JoinCategoryLevels(const std::vector<std::string>& outermostFirst)
{
    std::string joined;
    for (size_t i = 0; i < outermostFirst.size(); ++i)
        joined += (i ? "#" : "") + outermostFirst[i];
    return joined;
}

size_t FormatLoginPath(char* buffer, size_t size, char drive, const char* entry, size_t length)
{
    static constexpr char kFolder[] = ":\\userroot\\storage\\";
    static constexpr char kFile[] = "\\login.ctl";
    const size_t total = 1 + (sizeof kFolder - 1) + length + (sizeof kFile - 1);
    if (total < size) {
        char* p = buffer;
        *p++ = drive;
        p = std::copy_n(kFolder, sizeof kFolder - 1, p);
        p = std::copy_n(entry, length, p);
        std::copy_n(kFile, sizeof kFile, p);
    }
    return total;
}
