#include "areas/listed_areas.h"

#include "areas/cache.h"
#include "disk/folders.h"
#include "areas/login_control.h"
#include "names/folder_names.h"
#include "names/own_names.h"

#include <string_view>

namespace {

bool IsDecidable(const std::string& name)
{
    for (const char c : name)
        if (static_cast<unsigned char>(c) >= 0x80 || c == '~')
            return false;
    return IsFolderName(name, AnsiCodePage(), true);
}

// The areas' login control files, one after another; what the pass holds already stays. The
// profile functions hold one lock of the process (Wine's) for the whole read, so threads gain
// nothing on them, not even on a slow server; each read would only queue for the lock, and
// every hand-over costs a wake and a switch.
void ReadLoginFiles(CCachePass& pass, const std::string& storage,
                    const std::vector<std::string>& folders)
{
    pass.m_mapLogins.reserve(pass.m_mapLogins.size() + folders.size());
    for (const std::string& folder : folders)
        if (!IsLeftoverFolder(folder)) {
            std::string path;
            ListedLoginPath(storage, folder, path);
            if (!pass.m_mapLogins.count(path)) {
                const LoginControl control = ReadLoginControlFile(path);
                pass.m_mapLogins.emplace(std::move(path), control);
            }
        }
}

std::string Folded(std::string name)
{
    for (char& c : name)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return name;
}

const std::optional<CAreaFolders>& AreaFolders(CCachePass& pass, const std::string& storage)
{
    auto it = pass.m_mapAreaFolders.find(storage);
    if (it != pass.m_mapAreaFolders.end())
        return it->second;
    std::optional<CAreaFolders> folders;
    std::vector<CFolderEntry> entries;
    if (ReadFolder(storage, entries)) {
        folders.emplace();
        std::vector<std::string> names;
        for (const CFolderEntry& e : entries)
            if (e.m_bFolder) {
                names.push_back(e.m_strName);
                folders->m_setNames.insert(e.m_strName);
                folders->m_mapFolded.emplace(Folded(e.m_strName), e.m_strName);
            }
        ReadLoginFiles(pass, storage, names);
    }
    return pass.m_mapAreaFolders.emplace(storage, std::move(folders)).first->second;
}

}  // namespace

void ListedLoginPath(const std::string& storage, const std::string& folder, std::string& path)
{
    const std::string_view file = kLoginControlFile;
    path.clear();
    path.reserve(storage.size() + folder.size() + file.size() + 2);
    path.append(storage).append(1, '\\').append(folder).append(1, '\\').append(file);
}

Listed FindListedArea(const std::string& storage, const std::string& name, std::string& actual)
{
    CCachePass* pass = CurrentCachePass();
    if (!pass || !IsDecidable(name))
        return Listed::unknown;
    const std::optional<CAreaFolders>& folders = AreaFolders(*pass, storage);
    if (!folders)
        return Listed::unknown;
    if (folders->m_setNames.count(name)) {
        actual = name;
        return Listed::yes;
    }
    const auto it = folders->m_mapFolded.find(Folded(name));
    if (it == folders->m_mapFolded.end())
        return Listed::no;
    actual = it->second;
    return Listed::yes;
}
