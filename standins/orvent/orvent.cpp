// ORVENT.dll: the device lookup on real folders. The areas of a device are the folders directly
// under <root>\userroot\storage; on a numbered device every sub-folder of an area, at any depth,
// is listed too, as AREA#CAT#SUB. The order is the file system's: the browser sorts.
#include "external/orvent.h"

#include "../store/devices.h"
#include "../store/folders.h"
#include "../store/locate.h"
#include "../store/names.h"
#include "../store/thread_table.h"
#include "framework/no_throw.h"
#include "text/codepage.h"

#include <set>

namespace {

// Each thread's device enumeration and, nested in it, its area enumeration. A returned string
// stays valid until that thread's next call of the same enumeration.
struct CEnumeration {
    std::vector<std::string> m_vecDevices;
    size_t m_nNextDevice = 0;
    std::vector<std::string> m_vecAreas;
    size_t m_nNextArea = 0;
};
CThreadTable<CEnumeration> g_enumerations;

// Deeper than any folder path of MAX_PATH bytes reaches, so only a tree that loops meets it.
const int kMaxCategoryDepth = 130;

const char* Next(std::vector<std::string>& list, size_t& next)
{
    if (next < list.size())
        return list[next++].c_str();
    // At its end an enumeration lets go of its names, and a thread done with both its entry.
    list.clear();
    next = 0;
    CEnumeration* mine = g_enumerations.Find();
    if (mine && mine->m_vecDevices.empty() && mine->m_vecAreas.empty())
        g_enumerations.Drop();
    return nullptr;
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

bool IsNumbered(const std::string& device)
{
    return !device.empty() && device[0] >= '0' && device[0] <= '9';
}

}  // namespace

extern "C" {

void __cdecl StoreFailedConnections(CStringList& failed)
{
    NoThrow([&] {
        for (const Device& d : ReadDevices())
            if (!IsAbsoluteRoot(d.root) || !IsDirectory(d.root))
                failed.AddTail(d.name.c_str());
    });
}

const char* __cdecl ListFirstDevice(const char* /*server*/, int /*kind*/)
{
    return NoThrow([]() -> const char* {
        CEnumeration* mine = g_enumerations.Get();
        if (!mine)
            return nullptr;
        mine->m_vecDevices.clear();
        mine->m_nNextDevice = 0;
        for (const Device& d : ReadDevices())
            mine->m_vecDevices.push_back(d.name);
        return Next(mine->m_vecDevices, mine->m_nNextDevice);
    }, static_cast<const char*>(nullptr));
}

const char* __cdecl ListNextDevice(void)
{
    CEnumeration* mine = g_enumerations.Find();
    return mine ? Next(mine->m_vecDevices, mine->m_nNextDevice) : nullptr;
}

const char* __cdecl ListFirstArea(const char* device)
{
    return NoThrow([&]() -> const char* {
        CEnumeration* mine = g_enumerations.Get();
        if (!mine)
            return nullptr;
        std::vector<std::string>& areas = mine->m_vecAreas;
        areas.clear();
        mine->m_nNextArea = 0;
        Device d;
        if (ResolveDevice(device, d)) {
            const std::string storage = StorageFolder(d.root);
            CFolderId storageId;
            const bool numbered = IsNumbered(d.name) && GetFolderId(storage, storageId);
            for (const std::string& area : SubFolders(storage)) {
                areas.push_back(area);
                if (numbered)
                    CCategoryWalk(storageId, areas)
                        .Add(JoinPath(storage, area, AnsiCodePage()), area, 0);
            }
        }
        return Next(areas, mine->m_nNextArea);
    }, static_cast<const char*>(nullptr));
}

const char* __cdecl ListNextArea(void)
{
    CEnumeration* mine = g_enumerations.Find();
    return mine ? Next(mine->m_vecAreas, mine->m_nNextArea) : nullptr;
}

}  // extern "C"
