#include "tree_path.h"

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
