#include "lookup.h"

#include "devices.h"
#include "folders.h"
#include "locate.h"
#include "names.h"
#include "servers.h"
#include "thread_table.h"
#include "text/codepage.h"

#include <memory>
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
};
CThreadTable<CEnumeration> g_enumerations;

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
// entered twice, so a tree that loops back into itself still gives a finite list.
class CCategoryWalk {
public:
    CCategoryWalk(const CFolderId& storage, std::vector<std::string>& entries)
        : m_setSeen{storage}, m_vecEntries(entries)
    {
    }

    // prefix is a copy: it is often an element of the entries, which grow here.
    void Add(const std::string& folder, const std::string prefix, int depth)
    {
        if (depth >= kMaxCategoryDepth)
            return;
        const std::vector<std::string> subs = OwnSubFolders(folder);
        if (subs.empty() || (depth == 0 && !Enter(folder)))
            return;
        for (const std::string& sub : subs) {
            const std::string child = JoinPath(folder, sub, AnsiCodePage());
            if (!Enter(child))
                continue;
            m_vecEntries.push_back(prefix + "#" + sub);
            Add(child, m_vecEntries.back(), depth + 1);
        }
    }

private:
    bool Enter(const std::string& folder)
    {
        CFolderId id;
        return GetFolderId(folder, id) && m_setSeen.insert(id).second;
    }

    std::set<CFolderId> m_setSeen;
    std::vector<std::string>& m_vecEntries;
};

void ListAreas(const Device& d, std::vector<std::string>& areas)
{
    const std::string storage = StorageFolder(d.root);
    CFolderId storageId;
    const bool numbered = IsNumbered(d.name) && GetFolderId(storage, storageId);
    for (const std::string& area : SubFolders(storage)) {
        areas.push_back(area);
        if (numbered)
            CCategoryWalk(storageId, areas).Add(JoinPath(storage, area, AnsiCodePage()), area, 0);
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
    std::vector<std::string> failed;
    const std::shared_ptr<const CDeviceTable> devices = ReadDevices();
    CheckServersOf(*devices);
    for (const Device& d : devices->All())
        if (!IsAbsoluteRoot(d.root) || !IsServerReachable(d.root) || !IsDirectory(d.root))
            failed.push_back(d.name);
    return failed;
}

const char* FirstDevice()
{
    CEnumeration* mine = g_enumerations.Get();
    if (!mine)
        return nullptr;
    mine->m_devices = ReadDevices();
    mine->m_nNextDevice = 0;
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
    DropWhenDone(*mine);
    return nullptr;
}

const char* FirstArea(const char* device)
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
    if (d && IsAbsoluteRoot(d->root) && IsServerReachable(d->root)) {
        if (IsNumbered(d->name))
            mine->m_strListing = d->name;
        ListAreas(*d, mine->m_vecAreas);
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
