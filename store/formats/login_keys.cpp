#include "formats/login_keys.h"

#include "names/folder_names.h"
#include "formats/profile_text.h"

LoginKeys ParseLoginKeys(const std::vector<std::string>& lines)
{
    static const struct {
        const char* text;
        LoginAccess access;
    } kAccess[] = {{"open", LoginAccess::open},
                   {"blocked", LoginAccess::blocked},
                   {"restricted", LoginAccess::restricted},
                   {"restricted-expired", LoginAccess::restrictedExpired}};
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
