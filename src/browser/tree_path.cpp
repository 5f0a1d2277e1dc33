#include "tree_path.h"

#include <algorithm>

std::string BuildSelectedPath(const std::vector<std::string>& levels)
{
    std::string path;
    for (const std::string& level : levels)
        path += "/" + level;
    if (!path.empty())
        path.erase(0, 1);
    if (path.size() > 2 && path[2] == '/')
        path.erase(2, 1);  // C:/AREA1 -> C:AREA1
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
