#include "doctor/area_check.h"

#include "areas/area_lock.h"
#include "areas/login_control.h"
#include "disk/description.h"
#include "disk/folders.h"
#include "disk/leftovers.h"
#include "disk/profile.h"
#include "external/category_data.h"
#include "formats/login_keys.h"
#include "names/folder_names.h"
#include "names/own_names.h"
#include "vorlanx.h"

#include <windows.h>

#include <set>

namespace {

// As deep as the listing goes.
const int kMaxDepth = 130;

bool Exists(const std::string& path)
{
    return path.size() <= kMaxFilePath && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Code(int code)
{
    return std::to_string(code) + " (" + vorlanx_result_text(code) + ")";
}

void CheckLoginControl(const std::string& folder, CFindings& found)
{
    const std::string path = LoginFilePath(folder);
    std::vector<std::string> lines;
    if (!Exists(path) || !ReadProfileSection(path, "login", lines)) {
        found.Add(Severity::error, "no-login-control", "",
                  "The area has no login control file " + path + ": the browser shows it blocked "
                  "and writes answer " + Code(VORLANX_ERR_NO_LOGIN_CONTROL) + ".",
                  "Write " + path + " with a [login] section: access = open (or blocked, "
                  "restricted), readonly = no, hidden = no.");
        return;
    }
    const LoginControl control = LoginControlOf(lines);
    const Severity weight = control.readable ? Severity::warning : Severity::error;
    const std::string effect = control.readable
        ? "the store ignores it"
        : "the store cannot read the area's access: the browser shows it blocked and writes "
          "answer " + Code(VORLANX_ERR_NO_LOGIN_CONTROL);
    bool unknown = false;
    for (const std::string& line : lines) {
        if (IsKnownLoginLine(line))
            continue;
        unknown = true;
        found.Add(weight, "unknown-login-key", "",
                  "The line " + Quoted(line) + " of " + path + " is not one the store knows: " +
                      effect + ".",
                  "Use only access = open | blocked | restricted | restricted-expired, "
                  "readonly = yes | no, hidden = yes | no in section [login].");
    }
    if (!control.readable) {
        if (!unknown)
            found.Add(Severity::error, "no-login-control", "",
                      path + " names no access: the browser shows the area blocked and writes "
                      "answer " + Code(VORLANX_ERR_NO_LOGIN_CONTROL) + ".",
                      "Add access = open (or blocked, restricted) to its [login] section.");
        return;
    }
    const char* writes = control.readonly ? "read-only" : "taken";
    if (control.hidden)
        found.Add(Severity::info, "hidden-area", "",
                  "The area is hidden: the browser does not show it and writes answer " +
                      Code(VORLANX_AREA_HIDDEN) + ".",
                  "Set hidden = no in " + path + " to show it.");
    else if (control.access == VORLANX_AREA_BLOCKED)
        found.Add(Severity::info, "blocked-area", "",
                  "The area is blocked: the browser shows it blocked and writes answer " +
                      Code(VORLANX_AREA_BLOCKED) + ".",
                  "Set access = open in " + path + " to open it.");
    else if (control.access == VORLANX_AREA_RESTRICTED)
        found.Add(Severity::info, "restricted-area", "",
                  std::string("The area is restricted: the browser shows it restricted; writes "
                              "are ") + writes + ".",
                  "Set access = open in " + path + " to open it.");
    else if (control.access == VORLANX_AREA_RESTRICTED_EXPIRED)
        found.Add(Severity::info, "restricted-area", "",
                  "The area's restriction has expired: the browser shows it so and writes "
                  "answer " + Code(VORLANX_AREA_RESTRICTED_EXPIRED) + ".",
                  "Set access = open or restricted in " + path + ".");
    if (control.readonly && !control.hidden && control.access != VORLANX_AREA_BLOCKED &&
        control.access != VORLANX_AREA_RESTRICTED_EXPIRED)
        found.Add(Severity::info, "readonly-area", "",
                  "The area is read-only: the browser shows it and its categories; writes "
                  "answer " + Code(VORLANX_AREA_READONLY) + ".",
                  "Set readonly = no in " + path + " to take writes.");
}

void CheckLock(const std::string& folder, CFindings& found)
{
    const std::string path = JoinPath(folder, kAreaLockFile, AnsiCodePage());
    const CAreaLock lock(folder, 0);  // tried once, without waiting
    if (lock.Result() == VORLANX_ERR_BUSY)
        found.Add(Severity::warning, "lock-held", "",
                  "Another writer holds the area's lock " + path + " now: writes here wait up "
                  "to " + std::to_string(kAreaLockWaitMs / 1000) + " seconds for it, then answer " +
                      Code(VORLANX_ERR_BUSY) + ".",
                  "If no write is under way, find the program or machine that holds " + path +
                      " open and end it: the system lets go of the lock with it.");
    else if (lock.Result() != VORLANX_OK)
        found.Add(Severity::error, "lock-unusable", "",
                  "The area's lock " + path + " cannot be opened or locked (a folder, a link, "
                  "or a file system without locks): writes answer " + Code(lock.Result()) + ".",
                  "Remove " + path + " if it is a folder or a link; a write makes it again.");
}

struct CLeftover {
    std::string path, category;
    uint64_t writeTime;
};

class CAreaWalk {
public:
    CAreaWalk(CFindings& found, AreaCheck& out) : m_found(found), m_out(out) {}

    // A folder of the area (the area's own for an empty category) and what is in it.
    void Walk(const std::string& folder, const std::string& category, int depth)
    {
        std::vector<CFolderEntry> entries;
        CFolderId self;
        if (!ReadFolder(folder, entries, depth == 0 ? &self : nullptr)) {
            if (depth == 0)
                m_found.Add(Severity::error, "unreadable-folder", category,
                            "The folder " + folder + " cannot be read: the browser shows "
                            "nothing below it.",
                            "Check that this machine's users may list " + folder + ".");
            return;
        }
        if (depth == 0) {
            m_nVolume = self.m_nVolume;
            m_setSeen.insert(self);
        } else {
            CheckDescription(folder, category, entries);
        }
        const CodePage& cp = AnsiCodePage();
        for (const CFolderEntry& e : entries) {
            const std::string path = JoinPath(folder, e.m_strName, cp);
            if (IsLeftoverFolder(e.m_strName) ||
                (!e.m_bFolder && IsTemporaryName(e.m_strName, Temporary::Description))) {
                m_leftovers.push_back({path, category, e.m_nWriteTime});
                continue;
            }
            if (depth == 0 && SameName(e.m_strName, kAreaLockFile))
                m_bHasLock = true;
            if (!e.m_bFolder)
                continue;
            if (IsOwnName(e.m_strName)) {
                m_found.Add(Severity::warning, "own-name", category,
                            "The folder " + path + " carries a name of the store's own files: "
                            "it is neither listed nor found, and writes beside it may fail.",
                            "Rename or move " + path + ".");
                continue;
            }
            if (e.m_bLink) {
                m_found.Add(Severity::warning, "link-skipped", category,
                            path + " is a link or junction: the store neither lists nor follows "
                            "it, so what it leads to is not shown here.",
                            "Replace the link with the folder itself if its categories belong "
                            "here.");
                continue;
            }
            if (depth + 1 >= kMaxDepth || !m_setSeen.insert({m_nVolume, e.m_nIndex}).second)
                continue;
            const std::string sub = category.empty() ? e.m_strName : category + "#" + e.m_strName;
            ++m_out.categories;
            if (!CheckName(path, sub, e.m_strName))
                continue;
            Walk(path, sub, depth + 1);
        }
    }

    bool HasLockFile() const { return m_bHasLock; }
    const std::vector<CLeftover>& Leftovers() const { return m_leftovers; }

private:
    // False when the store cannot reach the category's folder at all, nor what is below it.
    bool CheckName(const std::string& path, const std::string& category, const std::string& name)
    {
        const CodePage& cp = AnsiCodePage();
        if (!IsCategoryName(name, cp)) {
            const bool hash = name.find('#') != std::string::npos && IsFolderName(name, cp, true);
            m_found.Add(Severity::error, "reserved-name", category,
                        hash ? "The folder " + path + " has a '#' in its name, which joins a "
                               "category's levels: it is listed, but retrieve and the writes "
                               "answer " + Code(VORLANX_ERR_NO_CATEGORY) + "."
                             : "The folder " + path + " has a name that no folder should carry "
                               "on Windows (a device name such as CON or NUL, a trailing dot "
                               "or space, or a character Windows does not take): retrieve and "
                               "the writes answer " + Code(VORLANX_ERR_INVALID_NAME) + ".",
                        "Rename " + path + " to a plain name.");
            return false;
        }
        if (name.size() >= sizeof CCategoryData::name)
            m_found.Add(Severity::error, "name-too-long", category,
                        "The folder name " + Quoted(name) + " is " + std::to_string(name.size()) +
                            " bytes long: a category's name holds at most 49, so retrieve "
                            "answers " + Code(VORLANX_ERR_NAME_TOO_LONG) + ".",
                        "Rename " + path + " to at most 49 bytes.");
        if (!FitsCategoryFolder(path)) {
            m_found.Add(Severity::error, "path-too-long", category,
                        "The folder path " + path + " is " + std::to_string(path.size()) +
                            " bytes long: a category's folder may be at most 246, so retrieve "
                            "and the writes answer " + Code(VORLANX_ERR_PATH_TOO_LONG) + ".",
                        "Shorten the names on the way to it, or the device's root.");
            return false;
        }
        return true;
    }

    void CheckDescription(const std::string& folder, const std::string& category,
                          const std::vector<CFolderEntry>& entries)
    {
        const CFolderEntry* file = nullptr;
        for (const CFolderEntry& e : entries)
            if (SameName(e.m_strName, kDescriptionFile))
                file = &e;
        const std::string path = JoinPath(folder, kDescriptionFile, AnsiCodePage());
        if (!file) {
            m_found.Add(Severity::info, "no-description", category,
                        "The category has no " + std::string(kDescriptionFile) +
                            ": retrieve gives it an empty description.",
                        "Edit the category to give it a description, if it should have one.");
            return;
        }
        std::string text;
        const int code = file->m_bFolder ? VORLANX_ERR_IO : ReadDescription(folder, text);
        if (code != VORLANX_OK) {
            m_found.Add(Severity::error, "unreadable-description", category,
                        "The description " + path + " cannot be read: retrieve answers " +
                            Code(code) + ".",
                        "Check that " + path + " is a file this machine's users may read.");
            return;
        }
        if (file->m_nSize > VORLANX_DESCRIPTION_SIZE - 1)
            m_found.Add(Severity::warning, "description-too-long", category,
                        "The description " + path + " is " + std::to_string(file->m_nSize) +
                            " bytes long: a description holds at most 255, so retrieve gives "
                            "back its first " + std::to_string(text.size()) + " bytes.",
                        "Edit the category with a description of at most 255 bytes.");
    }

    CFindings& m_found;
    AreaCheck& m_out;
    uint32_t m_nVolume = 0;
    std::set<CFolderId> m_setSeen;
    std::vector<CLeftover> m_leftovers;
    bool m_bHasLock = false;
};

// Each leftover, and with tidy what became of it: the same tidying as the next write in its
// folder, under the area's lock.
void ReportLeftovers(const std::string& area, const std::vector<CLeftover>& leftovers, bool tidy,
                     CFindings& found)
{
    int lockCode = VORLANX_OK;
    if (tidy && !leftovers.empty()) {
        const CAreaLock lock(area);
        lockCode = lock.Result();
        std::set<std::string> tidied;
        for (const CLeftover& l : leftovers) {
            const std::string folder = l.path.substr(0, l.path.find_last_of('\\'));
            if (lockCode == VORLANX_OK && tidied.insert(folder).second) {
                TidyFolder(folder);
                if (!l.category.empty())
                    RemoveDescriptionLeftovers(folder);
            }
        }
    }
    for (const CLeftover& l : leftovers) {
        const std::string age = AgeInWords(l.writeTime);
        std::string base;
        const bool renamed = IsRenameLeftover(l.path.substr(l.path.find_last_of('\\') + 1), &base);
        if (tidy && lockCode == VORLANX_OK && !Exists(l.path)) {
            found.Add(Severity::info, "leftover", l.category,
                      renamed ? "Tidied: " + l.path + " (left " + age + " ago) got its name " +
                                    Quoted(base) + " back."
                              : "Tidied: removed " + l.path + " (left " + age + " ago).",
                      "Nothing more to do.");
            continue;
        }
        std::string why = " A write that was cut off left it " + age + " ago; it is never "
                          "listed, and the next write in its folder tidies it.";
        if (tidy)
            why = lockCode != VORLANX_OK
                ? " It was not tidied: the area's lock answered " + Code(lockCode) + "."
                : " It was not tidied: it holds files that are not the store's own, or its "
                  "name is taken.";
        found.Add(Severity::warning, "leftover", l.category,
                  (renamed ? "A category moved aside by a rename: " : "A temporary of the store: ") +
                      l.path + "." + why,
                  tidy ? "Look into " + l.path + " and move what is not the store's."
                       : "Run vorlanxhost check --tidy, or wait for the next write here.");
    }
}

}  // namespace

AreaCheck CheckArea(const std::string& device, const std::string& area, const std::string& folder,
                    bool tidy)
{
    AreaCheck out;
    CFindings found(device, area);
    CheckLoginControl(folder, found);
    CAreaWalk walk(found, out);
    walk.Walk(folder, "", 0);
    if (walk.HasLockFile())
        CheckLock(folder, found);
    ReportLeftovers(folder, walk.Leftovers(), tidy, found);
    out.findings = std::move(found.Found());
    return out;
}
