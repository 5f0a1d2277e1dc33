#include "areas/listed_areas.h"

#include "areas/cache.h"
#include "disk/folders.h"
#include "areas/login_control.h"
#include "names/folder_names.h"
#include "names/own_names.h"

#include <string_view>

namespace {

// Whether the pass can tell that name matches a listed folder spelled otherwise: for ASCII by
// folding its case; the file system alone knows its rules beyond ASCII and its short names.
bool IsFoldable(const std::string& name)
{
    for (const char c : name)
        if (static_cast<unsigned char>(c) >= 0x80 || c == '~')
            return false;
    return true;
}

// The areas' login control files, one after another; what the pass holds already stays. The
// profile functions hold one lock of the process (Wine's) for the whole read, so threads gain
// nothing on them, not even on a slow server; each read would only queue for the lock, and
// every hand-over costs a wake and a switch. Each listed name keeps where its answer is, so a
// login check of a listed area looks up nothing more.
void ReadLoginFiles(CCachePass& pass, const std::string& storage, CAreaFolders& folders)
{
    pass.m_mapLogins.reserve(pass.m_mapLogins.size() + folders.m_vecNames.size());
    folders.m_mapNames.reserve(folders.m_vecNames.size());
    for (const std::string& folder : folders.m_vecNames) {
        std::optional<LoginControl> login;
        if (!IsLeftoverFolder(folder)) {
            std::string path = LoginFilePath(JoinPath(storage, folder, AnsiCodePage()));
            auto it = pass.m_mapLogins.find(path);
            if (it == pass.m_mapLogins.end())
                it = pass.m_mapLogins.emplace(path, ReadLoginControlFile(path)).first;
            login = it->second;
        }
        folders.m_mapNames.emplace(folder, login);
    }
}

std::string Folded(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return folded;
}

// Made when a name is first not found as spelled: most checks name an area as it was listed.
void FoldNames(CAreaFolders& folders)
{
    if (folders.m_bFolded)
        return;
    folders.m_mapFolded.reserve(folders.m_vecNames.size());
    for (const std::string& name : folders.m_vecNames)
        folders.m_mapFolded.emplace(Folded(name), folders.m_mapNames.find(name)->first);
    folders.m_bFolded = true;
}

std::optional<CAreaFolders>& AreaFolders(CCachePass& pass, const std::string& storage)
{
    auto it = pass.m_mapAreaFolders.find(storage);
    if (it != pass.m_mapAreaFolders.end())
        return it->second;
    std::optional<CAreaFolders> folders;
    std::vector<CFolderEntry> entries;
    if (ReadFolder(storage, entries)) {
        folders.emplace();
        for (CFolderEntry& e : entries)
            if (e.m_bFolder)
                folders->m_vecNames.push_back(std::move(e.m_strName));
    }
    // A pass without memory to finish the names' answers does not keep half of them.
    it = pass.m_mapAreaFolders.emplace(storage, std::move(folders)).first;
    if (it->second) {
        try {
            ReadLoginFiles(pass, storage, *it->second);
        } catch (...) {
            pass.m_mapAreaFolders.erase(it);
            throw;
        }
    }
    return it->second;
}

}  // namespace

bool IsStorageListed(const std::string& storage)
{
    const CCachePass* pass = CurrentCachePass();
    return pass && pass->m_mapAreaFolders.count(storage);
}

Listed FindListedArea(const std::string& storage, const std::string& name, std::string& actual,
                      const LoginControl** login)
{
    CCachePass* pass = CurrentCachePass();
    if (!pass || !IsFolderName(name, AnsiCodePage(), true))
        return Listed::unknown;
    std::optional<CAreaFolders>& folders = AreaFolders(*pass, storage);
    if (!folders)
        return Listed::unknown;
    // A name spelled as listed is that folder, whatever its bytes.
    auto named = folders->m_mapNames.find(name);
    if (named == folders->m_mapNames.end()) {
        if (!IsFoldable(name))
            return Listed::unknown;
        FoldNames(*folders);
        const auto it = folders->m_mapFolded.find(Folded(name));
        if (it == folders->m_mapFolded.end())
            return Listed::no;
        named = folders->m_mapNames.find(std::string(it->second));
    }
    actual = named->first;
    if (login)
        *login = named->second ? &*named->second : nullptr;
    return Listed::yes;
}
