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
        found.Add(Severity::error, "no-login-control", "", path,
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
        found.Add(weight, "unknown-login-key", "", path,
                  "The line " + Quoted(line) + " of " + path + " is not one the store knows: " +
                      effect + ".",
                  "Use only access = open | blocked | restricted | restricted-expired, "
                  "readonly = yes | no, hidden = yes | no in section [login].");
    }
    if (!control.readable) {
        if (!unknown)
            found.Add(Severity::error, "no-login-control", "", path,
                      path + " names no access: the browser shows the area blocked and writes "
                      "answer " + Code(VORLANX_ERR_NO_LOGIN_CONTROL) + ".",
                      "Add access = open (or blocked, restricted) to its [login] section.");
        return;
    }
    const char* writes = control.readonly ? "read-only" : "taken";
    if (control.hidden)
        found.Add(Severity::info, "hidden-area", "", path,
                  "The area is hidden: the browser does not show it and writes answer " +
                      Code(VORLANX_AREA_HIDDEN) + ".",
                  "Set hidden = no in " + path + " to show it.");
    else if (control.access == VORLANX_AREA_BLOCKED)
        found.Add(Severity::info, "blocked-area", "", path,
                  "The area is blocked: the browser shows it blocked and writes answer " +
                      Code(VORLANX_AREA_BLOCKED) + ".",
                  "Set access = open in " + path + " to open it.");
    else if (control.access == VORLANX_AREA_RESTRICTED)
        found.Add(Severity::info, "restricted-area", "", path,
                  std::string("The area is restricted: the browser shows it restricted; writes "
                              "are ") + writes + ".",
                  "Set access = open in " + path + " to open it.");
    else if (control.access == VORLANX_AREA_RESTRICTED_EXPIRED)
        found.Add(Severity::info, "restricted-area", "", path,
                  "The area's restriction has expired: the browser shows it so and writes "
                  "answer " + Code(VORLANX_AREA_RESTRICTED_EXPIRED) + ".",
                  "Set access = open or restricted in " + path + ".");
    if (control.readonly && !control.hidden && control.access != VORLANX_AREA_BLOCKED &&
        control.access != VORLANX_AREA_RESTRICTED_EXPIRED)
        found.Add(Severity::info, "readonly-area", "", path,
                  "The area is read-only: the browser shows it and its categories; writes "
                  "answer " + Code(VORLANX_AREA_READONLY) + ".",
                  "Set readonly = no in " + path + " to take writes.");
}

void CheckLock(const std::string& folder, CFindings& found)
{
    const std::string path = JoinPath(folder, kAreaLockFile, AnsiCodePage());
    const CAreaLock lock(folder, 0);  // tried once, without waiting
    if (lock.Result() == VORLANX_ERR_BUSY)
        found.Add(Severity::warning, "lock-held", "", path,
                  "Another writer holds the area's lock " + path + " now: writes here wait up "
                  "to " + std::to_string(kAreaLockWaitMs / 1000) + " seconds for it, then answer " +
                      Code(VORLANX_ERR_BUSY) + ".",
                  "If no write is under way, find the program or machine that holds " + path +
                      " open and end it: the system lets go of the lock with it.");
    else if (lock.Result() != VORLANX_OK)
        found.Add(Severity::error, "lock-unusable", "", path,
                  "The area's lock " + path + " cannot be opened or locked (a folder, a link, "
                  "or a file system without locks): writes answer " + Code(lock.Result()) + ".",
                  "Remove " + path + " if it is a folder or a link; a write makes it again.");
}

struct CLeftover {
    std::string parent, name, category;  // category: its levels below the area, its name last
    uint64_t writeTime;
    bool folder, inCategory;
    std::string Path() const { return JoinPath(parent, name, AnsiCodePage()); }
};

class CAreaWalk {
public:
    CAreaWalk(CFindings& found, AreaCheck& out) : m_found(found), m_out(out) {}

    // A folder of the area (the area's own for an empty category) and what is in it.
    void Walk(const std::string& folder, const std::string& category, int depth)
    {
        std::vector<CFolderEntry> entries, unwritable;
        CFolderId self;
        if (!ReadFolder(folder, entries, depth == 0 ? &self : nullptr, &unwritable)) {
            if (depth == 0)
                m_found.Add(Severity::error, "unreadable-folder", category, folder,
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
        for (const CFolderEntry& e : unwritable)
            if (e.m_bFolder && !e.m_bLink)
                AddUnwritableName(m_found, category.empty() ? e.m_strName
                                                            : category + "#" + e.m_strName,
                                  folder, e);
        const CodePage& cp = AnsiCodePage();
        for (const CFolderEntry& e : entries) {
            const std::string path = JoinPath(folder, e.m_strName, cp);
            // What is not a category is named as one would be: its levels below the area.
            const std::string own = category.empty() ? e.m_strName : category + "#" + e.m_strName;
            if (IsLeftoverFolder(e.m_strName) ||
                (!e.m_bFolder && IsTemporaryName(e.m_strName, Temporary::Description))) {
                m_leftovers.push_back({folder, e.m_strName, own, e.m_nWriteTime, e.m_bFolder,
                                       !category.empty()});
                continue;
            }
            if (depth == 0 && SameName(e.m_strName, kAreaLockFile))
                m_bHasLock = true;
            if (!e.m_bFolder)
                continue;
            if (IsOwnName(e.m_strName)) {
                m_found.Add(Severity::warning, "own-name", own, path,
                            "The folder " + path + " carries a name of the store's own files: "
                            "it is neither listed nor found, and writes beside it may fail.",
                            "Rename or move " + path + ".");
                continue;
            }
            if (e.m_bLink) {
                m_found.Add(Severity::warning, "link-skipped", own, path,
                            path + " is a link or junction: the store neither lists nor follows "
                            "it, so what it leads to is not shown here.",
                            "Replace the link with the folder itself if its categories belong "
                            "here.");
                continue;
            }
            if (depth + 1 >= kMaxDepth || !m_setSeen.insert({m_nVolume, e.m_nIndex}).second)
                continue;
            ++m_out.categories;
            if (!CheckName(path, own, e.m_strName))
                continue;
            Walk(path, own, depth + 1);
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
            m_found.Add(Severity::error, "reserved-name", category, path,
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
            m_found.Add(Severity::error, "name-too-long", category, path,
                        "The folder name " + Quoted(name) + " is " + std::to_string(name.size()) +
                            " bytes long: a category's name holds at most 49, so retrieve "
                            "answers " + Code(VORLANX_ERR_NAME_TOO_LONG) + ".",
                        "Rename " + path + " to at most 49 bytes.");
        if (!FitsCategoryFolder(path)) {
            m_found.Add(Severity::error, "path-too-long", category, path,
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
            m_found.Add(Severity::info, "no-description", category, path,
                        "The category has no " + std::string(kDescriptionFile) +
                            ": retrieve gives it an empty description.",
                        "Edit the category to give it a description, if it should have one.");
            return;
        }
        std::string text;
        const int code = file->m_bFolder ? VORLANX_ERR_IO : ReadDescription(folder, text);
        if (code != VORLANX_OK) {
            m_found.Add(Severity::error, "unreadable-description", category, path,
                        "The description " + path + " cannot be read: retrieve answers " +
                            Code(code) + ".",
                        "Check that " + path + " is a file this machine's users may read.");
            return;
        }
        if (file->m_nSize > VORLANX_DESCRIPTION_SIZE - 1)
            m_found.Add(Severity::warning, "description-too-long", category, path,
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

// Why a leftover stays, and what to do about it: what the tidying does, told before it is asked.
void ExplainKept(LeftoverFate fate, const CLeftover& l, std::string& why, std::string& advice)
{
    const std::string path = l.Path();
    std::string base;
    IsRenameLeftover(l.name, &base);
    switch (fate) {
    case LeftoverFate::tidied:
        why = "the next write in its folder tidies it.";
        advice = "Run vorlanxhost check --tidy, or wait for the next write here.";
        return;
    case LeftoverFate::holdsOthers:
        why = "it holds files or folders that are not the store's own, so the tidying (a write "
              "here, or check --tidy) keeps it whole.";
        advice = "Look into " + path + " and move what someone still needs elsewhere; then "
                 "vorlanxhost check --tidy removes it, or delete it yourself.";
        return;
    case LeftoverFate::nameTaken:
        why = "its name " + Quoted(base) + " is taken or is no category's, so the tidying keeps "
              "it under this one.";
        advice = "Compare " + path + " with " + JoinPath(l.parent, base, AnsiCodePage()) +
                 ": keep what is needed under a category's name, and delete the rest.";
        return;
    case LeftoverFate::neverTidied:
        why = "no write leaves one here, so the tidying (a write here, or check --tidy) keeps it.";
        advice = "Delete " + path + " if it is nobody's, or give it a name that is not the "
                 "store's.";
        return;
    }
}

// Each leftover, and with tidy what became of it: the same tidying as the next write in its
// folder, under the area's lock.
void ReportLeftovers(const std::string& area, const std::vector<CLeftover>& leftovers, bool tidy,
                     CFindings& found)
{
    std::vector<LeftoverFate> fates;
    for (const CLeftover& l : leftovers)
        fates.push_back(FateOfLeftover(l.parent, l.name, l.folder, l.inCategory));
    int lockCode = VORLANX_OK;
    if (tidy && !leftovers.empty()) {
        const CAreaLock lock(area);
        lockCode = lock.Result();
        std::set<std::string> tidied;
        for (const CLeftover& l : leftovers)
            if (lockCode == VORLANX_OK && tidied.insert(l.parent).second) {
                TidyFolder(l.parent);
                if (l.inCategory)
                    RemoveDescriptionLeftovers(l.parent);
            }
    }
    for (size_t i = 0; i < leftovers.size(); ++i) {
        const CLeftover& l = leftovers[i];
        const std::string path = l.Path(), age = AgeInWords(l.writeTime);
        std::string base;
        const bool renamed = IsRenameLeftover(l.name, &base);
        if (tidy && lockCode == VORLANX_OK && !Exists(path)) {
            found.Add(Severity::info, "leftover", l.category, path,
                      renamed ? "Tidied: " + path + " (left " + age + " ago) got its name " +
                                    Quoted(base) + " back."
                              : "Tidied: removed " + path + " (left " + age + " ago).",
                      "Nothing more to do.");
            continue;
        }
        std::string why, advice;
        ExplainKept(fates[i], l, why, advice);
        if (tidy && lockCode != VORLANX_OK)
            why = "it was not tidied: the area's lock answered " + Code(lockCode) + ".";
        else if (tidy && fates[i] == LeftoverFate::tidied)
            why = "it was not tidied: the system refused (a program may hold it open).";
        else if (tidy)
            why = "it was not tidied: " + why;
        const bool stray = fates[i] == LeftoverFate::neverTidied;
        found.Add(Severity::warning, "leftover", l.category, path,
                  (renamed ? "A category moved aside by a rename: "
                   : stray ? "A name of the store's temporaries: "
                           : "A temporary of the store: ") +
                      path + (stray ? ". It was written " : ". A write that was cut off left it ") +
                      age + " ago; it is never listed, and " + why,
                  tidy && fates[i] == LeftoverFate::tidied ? "Run vorlanxhost check --tidy again "
                                                             "once nothing holds " + path + "."
                                                           : advice);
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
