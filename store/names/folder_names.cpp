#include "names/folder_names.h"

#include <cstring>

namespace {

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

}  // namespace

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

namespace {

bool IsReservedDeviceName(const std::string& name)
{
    // Windows reserves these with any extension and with trailing spaces before the dot.
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    static const char* const reserved[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* r : reserved)
        if (SameName(base, r))
            return true;
    if (base.size() == 4 && base[3] >= '1' && base[3] <= '9')
        return SameName(base.substr(0, 3), "COM") || SameName(base.substr(0, 3), "LPT");
    return false;
}

}  // namespace

bool IsFolderName(const std::string& name, const CodePage& cp, bool allowHash)
{
    if (name.empty() || name.size() > 255 || name.size() != strlen(name.c_str()))
        return false;
    const char* last = nullptr;
    for (const char* p = name.c_str(); *p != '\0'; p = cp.Next(p)) {
        last = p;
        const unsigned char b = static_cast<unsigned char>(*p);
        // A broken character would not come back from the file system as it was given.
        if (!cp.IsWhole(p))
            return false;
        if (cp.IsLead(b))
            continue;
        if (b < 0x20 || strchr("\\/:*?\"<>|", b) || (b == '#' && !allowHash))
            return false;
    }
    if (*last == '.' || *last == ' ')
        return false;  // also rejects "." and ".."
    return !IsReservedDeviceName(name);
}

std::string JoinPath(const std::string& folder, std::string_view child, const CodePage& cp)
{
    if (folder.empty())
        return std::string(child);
    const char* last = folder.c_str();
    for (const char* p = last; *p != '\0'; p = cp.Next(p))
        last = p;
    // last is where the final character starts, so a trail byte 0x5C is never taken for '\'.
    const bool separated = *last == '\\' || *last == '/';
    size_t skip = 0;
    while (skip < child.size() && (child[skip] == '\\' || child[skip] == '/'))
        ++skip;
    // One allocation: the store joins paths for every area of a listing.
    std::string joined;
    joined.reserve(folder.size() + 1 + child.size() - skip);
    joined.append(folder);
    if (!separated)
        joined += '\\';
    joined.append(child.substr(skip));
    return joined;
}

bool IsAbsoluteRoot(const std::string& root)
{
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    const char c = Lower(root.empty() ? '\0' : root[0]);
    if (root.size() >= 3 && c >= 'a' && c <= 'z' && root[1] == ':' && separator(root[2]))
        return true;
    if (root.size() < 5 || !separator(root[0]) || !separator(root[1]))
        return false;
    // \\server\share: both present; "\\.\" and "\\?\" name devices, not servers.
    const size_t end = root.find_first_of("\\/", 2);
    if (end == std::string::npos || end == 2 || end + 1 >= root.size() || separator(root[end + 1]))
        return false;
    const std::string server = root.substr(2, end - 2);
    return server != "." && server != "?";
}
