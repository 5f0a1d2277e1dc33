#include "tree_path.h"

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
