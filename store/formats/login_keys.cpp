#include "formats/login_keys.h"

#include "names/folder_names.h"
#include "site/profile_text.h"

namespace {

const struct {
    const char* text;
    LoginAccess access;
} kAccess[] = {{"open", LoginAccess::open},
               {"blocked", LoginAccess::blocked},
               {"restricted", LoginAccess::restricted},
               {"restricted-expired", LoginAccess::restrictedExpired}};

}  // namespace

LoginKeys ParseLoginKeys(const std::vector<std::string>& lines)
{
    LoginKeys keys;
    std::string key, value;
    for (const std::string& line : lines) {
        if (!SplitProfileLine(line, key, value))
            continue;
        if (SameName(key, "access")) {
            for (const auto& a : kAccess)
                if (SameName(value, a.text))
                    keys.access = a.access;
        } else if (SameName(key, "readonly")) {
            keys.readonly = SameName(value, "yes");
        } else if (SameName(key, "hidden")) {
            keys.hidden = SameName(value, "yes");
        }
    }
    return keys;
}

bool IsKnownLoginLine(const std::string& line)
{
    std::string key, value;
    if (!SplitProfileLine(line, key, value))
        return false;
    if (SameName(key, "access")) {
        for (const auto& a : kAccess)
            if (SameName(value, a.text))
                return true;
        return false;
    }
    return (SameName(key, "readonly") || SameName(key, "hidden")) &&
           (SameName(value, "yes") || SameName(value, "no"));
}
