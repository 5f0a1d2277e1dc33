#include "names/own_names.h"

#include "names/folder_names.h"
#include "text/text.h"

#include <cstdio>
#include <cstring>

const char kDescriptionFile[] = "category.txt";
const char kLoginControlFile[] = "login.ctl";
const char kAreaLockFile[] = "~vorlanx.lck";
const char kRenameSuffix[] = ".~rename";

namespace {

const char* Prefix(Temporary kind)
{
    switch (kind) {
    case Temporary::Description: return "~ct";
    case Temporary::NewCategory: return "~cn";
    case Temporary::DeletedCategory: return "~cd";
    }
    return "";
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace

std::string TemporaryName(Temporary kind, unsigned number)
{
    char name[kTemporaryNameSize + 1];
    snprintf(name, sizeof name, "%s%04X.tmp", Prefix(kind), number & 0xFFFFu);
    return name;
}

bool IsTemporaryName(const std::string& name, Temporary kind)
{
    if (name.size() < 8 || name.size() > kTemporaryNameSize)
        return false;
    const size_t digits = name.size() - 7;
    if (!SameName(name.substr(0, 3), Prefix(kind)) || !SameName(name.substr(3 + digits), ".tmp"))
        return false;
    for (size_t i = 3; i < 3 + digits; ++i)
        if (!IsHexDigit(name[i]))
            return false;
    return true;
}

bool IsRenameLeftover(const std::string& folder, std::string* base)
{
    const size_t n = sizeof kRenameSuffix - 1;
    if (folder.size() <= n || !SameName(folder.substr(folder.size() - n), kRenameSuffix))
        return false;
    if (base)
        *base = folder.substr(0, folder.size() - n);
    return true;
}

bool IsLeftoverFolder(const std::string& folder)
{
    return IsRenameLeftover(folder) || IsTemporaryName(folder, Temporary::NewCategory) ||
           IsTemporaryName(folder, Temporary::DeletedCategory);
}

bool IsOwnName(const std::string& name)
{
    return SameName(name, kDescriptionFile) || SameName(name, kLoginControlFile) ||
           SameName(name, kAreaLockFile) || IsTemporaryName(name, Temporary::Description) ||
           IsLeftoverFolder(name);
}

bool IsCategoryName(const std::string& name, const CodePage& cp)
{
    return IsFolderName(name, cp, false) && !IsOwnName(name);
}

std::vector<std::string> SplitCategoryPath(const std::string& category, const CodePage& cp)
{
    return category.empty() ? std::vector<std::string>() : Split(category, '#', cp);
}

bool FitsCategoryFolder(const std::string& folder)
{
    return folder.size() + 1 + 12 <= kMaxFilePath && folder.size() <= kMaxFolderPath;
}
