#include "device_lookup.h"

#include "lookup/devices.h"
#include "disk/folders.h"
#include "areas/locate.h"
#include "names/folder_names.h"
#include "names/own_names.h"
#include "servers/folder_probe.h"
#include "servers/servers.h"
#include "servers/worker_pool.h"
#include "servers/thread_table.h"
#include "text/codepage.h"

#include <memory>
#include <optional>
#include <set>

namespace lookup {
namespace {

// Each thread's device listing and, nested in it, its area listing. The device listing keeps
// the table it lists, so the names it returned stay, and a device is found in it again at once.
struct CEnumeration {
    std::shared_ptr<const CDeviceTable> m_devices;
    size_t m_nNextDevice = 0;
    std::vector<std::string> m_vecAreas;
    size_t m_nNextArea = 0;
    std::string m_strListing;  // the numbered device whose areas were listed last
    // The roots whose servers the thread's last StoreFailedConnections found unreachable, and
    // when: the device listing that begins soon after (one open of the dialog) keeps that
    // verdict instead of checking again, so a server that answers between the two is not shown
    // empty without being listed as failed, nor listed as failed and shown with its areas.
    std::optional<std::set<std::string>> m_down;
    ULONGLONG m_nVerdictAt = 0;
};
CThreadTable<CEnumeration> g_enumerations;

// How long a verdict waits for the listing of its open.
const ULONGLONG kVerdictFor = 10000;

// Deeper than any folder path of MAX_PATH bytes reaches, so only a tree that loops meets it.
const int kMaxCategoryDepth = 130;

bool IsNumbered(const std::string& device)
{
    return !device.empty() && device[0] >= '0' && device[0] <= '9';
}

// At its end a listing lets go of its names, and a thread done with both its entry.
void DropWhenDone(CEnumeration& mine)
{
    if (!mine.m_devices && mine.m_vecAreas.empty())
        g_enumerations.Drop();
}

// The categories below one area. Links and junctions are not followed, and a folder already
// met on this walk (reached again through whatever the system does not mark as a link) is not
// entered twice, so a tree that loops back into itself still gives a finite list. Each folder
// costs one directory read, which also gives its sub-folders' identities. Reads files only:
// walks of several areas run at once.
class CCategoryWalk {
public:
    CCategoryWalk(const CFolderId& storage, std::vector<std::string>& entries,
                  std::vector<std::string>* leftOut)
        : m_setSeen{storage}, m_nVolume(storage.m_nVolume), m_vecEntries(entries),
          m_pLeftOut(leftOut)
    {
    }

    // prefix is a copy: it is often an element of the entries, which grow here.
    void Add(const std::string& folder, const CFolderId& id, const std::string prefix, int depth)
    {
        if (depth >= kMaxCategoryDepth)
            return;
        std::vector<CFolderEntry> entries, unwritable;
        ReadFolder(folder, entries, nullptr, m_pLeftOut ? &unwritable : nullptr);
        for (const CFolderEntry& e : unwritable)
            if (e.m_bFolder && !e.m_bLink)
                m_pLeftOut->push_back(prefix + "#" + e.m_strName);
        std::vector<const CFolderEntry*> subs;
        for (const CFolderEntry& e : entries)
            if (e.m_bFolder && !e.m_bLink && !IsOwnName(e.m_strName))
                subs.push_back(&e);
        if (subs.empty() || (depth == 0 && !m_setSeen.insert(id).second))
            return;
        for (const CFolderEntry* sub : subs) {
            if (!m_setSeen.insert(CFolderId{m_nVolume, sub->m_nIndex}).second)
                continue;
            m_vecEntries.push_back(prefix + "#" + sub->m_strName);
            Add(JoinPath(folder, sub->m_strName, AnsiCodePage()), {}, m_vecEntries.back(),
                depth + 1);
        }
    }

private:
    std::set<CFolderId> m_setSeen;
    uint32_t m_nVolume;
    std::vector<std::string>& m_vecEntries;
    std::vector<std::string>* m_pLeftOut;
};

// leftOut, when given, gets the entries whose names the host's code page cannot write, as
// EscapedName shows them: they are not listed.
void ListAreas(const Device& d, std::vector<std::string>& areas, std::vector<std::string>* leftOut)
{
    const std::string storage = StorageFolder(d.root);
    std::vector<CFolderEntry> entries, unwritable;
    std::vector<CFolderEntry>* const others = leftOut ? &unwritable : nullptr;
    CFolderId storageId;
    const bool numbered = IsNumbered(d.name) && ReadFolder(storage, entries, &storageId, others);
    if (!numbered && !ReadFolder(storage, entries, nullptr, others))
        return;
    for (const CFolderEntry& e : unwritable)
        if (e.m_bFolder)
            leftOut->push_back(e.m_strName);
    std::vector<const CFolderEntry*> listed;
    for (const CFolderEntry& e : entries)
        if (e.m_bFolder && !IsLeftoverFolder(e.m_strName))
            listed.push_back(&e);
    if (!numbered) {
        for (const CFolderEntry* area : listed)
            areas.push_back(area->m_strName);
        return;
    }
    // Each area's categories follow it, depth first, as one walk after another would give them.
    std::vector<std::vector<std::string>> categories(listed.size()), unwritables(listed.size());
    RunOnPool(listed.size(), [&](size_t i) {
        const CFolderEntry& area = *listed[i];
        const std::string folder = JoinPath(storage, area.m_strName, AnsiCodePage());
        // A link's entry may carry the link's own identity: where it leads is what counts.
        CFolderId id{storageId.m_nVolume, area.m_nIndex};
        if (area.m_bLink && !GetFolderId(folder, id))
            return;
        categories[i].clear();
        unwritables[i].clear();
        CCategoryWalk(storageId, categories[i], leftOut ? &unwritables[i] : nullptr)
            .Add(folder, id, area.m_strName, 0);
    });
    for (size_t i = 0; i < listed.size(); ++i) {
        areas.push_back(listed[i]->m_strName);
        areas.insert(areas.end(), categories[i].begin(), categories[i].end());
        if (leftOut)
            leftOut->insert(leftOut->end(), unwritables[i].begin(), unwritables[i].end());
    }
}

// All servers of the table at once, so ten dead servers cost one deadline, not ten. A listing
// that begins checks them all again: a server that died since the last one must not stall it.
void CheckServersOf(const CDeviceTable& devices)
{
    std::vector<std::string> roots;
    for (const Device& d : devices.All())
        if (IsAbsoluteRoot(d.root))
            roots.push_back(d.root);
    CheckServers(roots, true);
}

}  // namespace

std::vector<std::string> FailedDevices()
{
    std::set<std::string> down, notFolders;
    std::vector<std::string> onServers;
    const std::shared_ptr<const CDeviceTable> devices = ReadDevices();
    CheckServersOf(*devices);
    for (const Device& d : devices->All()) {
        if (!IsAbsoluteRoot(d.root))
            continue;
        if (!IsServerReachable(d.root))
            down.insert(d.root);
        else if (HasServerThatCanDie(d.root))
            onServers.push_back(d.root);
        else if (!IsDirectory(d.root))
            notFolders.insert(d.root);
    }
    // A root on a live server is asked with the deadline too: the server's check may have been
    // answered from the system's cache, or the server slowed down since. One that does not
    // answer in time is down for this open, as its server would be.
    const std::vector<FolderProbe> answers = ProbeFolders(onServers, ServerDeadline());
    for (size_t i = 0; i < onServers.size(); ++i)
        if (answers[i] != FolderProbe::folder)
            (answers[i] == FolderProbe::noAnswer ? down : notFolders).insert(onServers[i]);
    std::vector<std::string> failed;
    for (const Device& d : devices->All())
        if (!IsAbsoluteRoot(d.root) || down.count(d.root) || notFolders.count(d.root))
            failed.push_back(d.name);
    if (CEnumeration* mine = g_enumerations.Get()) {
        mine->m_down = std::move(down);
        mine->m_nVerdictAt = GetTickCount64();
    }
    return failed;
}

const char* FirstDevice()
{
    CEnumeration* mine = g_enumerations.Get();
    if (!mine)
        return nullptr;
    mine->m_devices = ReadDevices();
    mine->m_nNextDevice = 0;
    if (mine->m_down && GetTickCount64() - mine->m_nVerdictAt >= kVerdictFor)
        mine->m_down.reset();
    if (!mine->m_down)
        CheckServersOf(*mine->m_devices);
    return NextDevice();
}

const char* NextDevice()
{
    CEnumeration* mine = g_enumerations.Find();
    if (!mine || !mine->m_devices)
        return nullptr;
    mine->m_strListing.clear();
    const std::vector<Device>& all = mine->m_devices->All();
    if (mine->m_nNextDevice < all.size())
        return all[mine->m_nNextDevice++].name.c_str();
    mine->m_devices.reset();
    mine->m_down.reset();
    DropWhenDone(*mine);
    return nullptr;
}

const char* FirstArea(const char* device, std::vector<std::string>* leftOut)
{
    CEnumeration* mine = g_enumerations.Get();
    if (!mine)
        return nullptr;
    mine->m_vecAreas.clear();
    mine->m_nNextArea = 0;
    mine->m_strListing.clear();
    // Inside a device listing the device is found in the table listed.
    const std::shared_ptr<const CDeviceTable> devices =
        mine->m_devices ? mine->m_devices : ReadDevices();
    const Device* d = device ? devices->Find(device) : nullptr;
    const auto reachable = [&] {
        return mine->m_devices && mine->m_down ? !mine->m_down->count(d->root)
                                               : IsServerReachable(d->root);
    };
    if (d && IsAbsoluteRoot(d->root) && reachable()) {
        if (IsNumbered(d->name))
            mine->m_strListing = d->name;
        ListAreas(*d, mine->m_vecAreas, leftOut);
    }
    return NextArea();
}

const char* NextArea()
{
    CEnumeration* mine = g_enumerations.Find();
    if (!mine)
        return nullptr;
    if (mine->m_nNextArea < mine->m_vecAreas.size())
        return mine->m_vecAreas[mine->m_nNextArea++].c_str();
    mine->m_vecAreas.clear();
    mine->m_nNextArea = 0;
    DropWhenDone(*mine);
    return nullptr;
}

const char* ListingDevice()
{
    const CEnumeration* mine = g_enumerations.Find();
    return mine && !mine->m_strListing.empty() ? mine->m_strListing.c_str() : nullptr;
}

void ForgetThread()
{
    g_enumerations.Drop();
}

}  // namespace lookup
