#include "fake_store.h"

#include "external/orvent.h"
#include "external/talmor.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

size_t g_nextDevice = 0;
std::vector<std::string> g_entries;
size_t g_nextEntry = 0;

void StoreCall(const std::string& call)
{
    FakeStore& fake = Fake();
    fake.calls.push_back(call);
    if (fake.startcache <= fake.stopcache)
        fake.cacheOpenDuringCalls = false;
}

const char* NextEntry()
{
    FakeStore& fake = Fake();
    if (fake.throwAfterEntries >= 0 && fake.listedEntries >= fake.throwAfterEntries) {
        fake.throwAfterEntries = -1;
        throw std::bad_alloc();
    }
    if (g_nextEntry >= g_entries.size())
        return nullptr;
    ++fake.listedEntries;
    return g_entries[g_nextEntry++].c_str();
}

}  // namespace

FakeStore& Fake()
{
    static FakeStore fake;
    return fake;
}


bool FakeStore::Called(const std::string& call) const
{
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

std::vector<std::string> FakeStore::CategoryCalls() const
{
    std::vector<std::string> found;
    for (const std::string& call : calls)
        for (const char* verb : {"New ", "Retrieve ", "Edit ", "Delete "})
            if (call.rfind(verb, 0) == 0)
                found.push_back(call);
    return found;
}

extern "C" {

void __cdecl talmor_startcache(void)
{
    ++Fake().startcache;
}

void __cdecl talmor_stopcache(void)
{
    ++Fake().stopcache;
}

int __cdecl talmor_IsAreaReadonly(const char* device, const char* area)
{
    const std::string key = std::string(device) + "|" + area;
    StoreCall("IsAreaReadonly " + std::string(device) + " " + area);
    auto it = Fake().readonly.find(key);
    return it == Fake().readonly.end() ? 1 : it->second;
}

int __cdecl cc_check_trailer_ex(char* loginPath, int mode, int* first, int* second, int* third)
{
    StoreCall("check " + std::string(loginPath) + (mode == 5 ? "" : " (mode not 5)"));
    auto it = Fake().logins.find(loginPath);
    const FakeStore::Login login = it == Fake().logins.end() ? FakeStore::Login() : it->second;
    *first = 77;  // never read by the browser
    *second = login.second;
    *third = 77;
    return login.result;
}

int __cdecl talmor_RetrieveCategory(const char* device, const char* area, const char* category,
                                    CCategoryData* record)
{
    FakeStore& fake = Fake();
    fake.calls.push_back(std::string("Retrieve ") + device + "|" + area + "|" + category);
    if (fake.retrieveResult == 1) {
        snprintf(record->name, sizeof record->name, "%s", fake.retrievedName.c_str());
        snprintf(record->description, sizeof record->description, "%s",
                 fake.retrievedDescription.c_str());
        if (fake.retrieveFillsWholeFields) {
            memset(record->name, 'N', sizeof record->name);
            memset(record->description, 'D', sizeof record->description);
        }
    }
    return fake.retrieveResult;
}

int __cdecl talmor_NewCategory(const char* device, const char* area, const char* category,
                               CCategoryData* record)
{
    Fake().calls.push_back(std::string("New ") + device + "|" + area + "|" + category + "|" +
                           record->name + "|" + record->description);
    return Fake().newResult;
}

int __cdecl talmor_EditCategory(const char* device, const char* area, const char* category,
                                CCategoryData* record)
{
    Fake().calls.push_back(std::string("Edit ") + device + "|" + area + "|" + category + "|" +
                           record->name + "|" + record->description);
    return Fake().editResult;
}

int __cdecl talmor_DeleteCategory(const char* device, const char* area, const char* category)
{
    Fake().calls.push_back(std::string("Delete ") + device + "|" + area + "|" + category);
    return Fake().deleteResult;
}

void __cdecl StoreFailedConnections(CStringList& failed)
{
    StoreCall("StoreFailedConnections");
    failed.AddTail("OFFLINE");
}

const char* __cdecl ListFirstDevice(const char* server, int kind)
{
    StoreCall("ListFirstDevice " + std::string(server) + " " + std::to_string(kind));
    g_nextDevice = 0;
    return ListNextDevice();
}

const char* __cdecl ListNextDevice(void)
{
    const auto& devices = Fake().devices;
    return g_nextDevice < devices.size() ? devices[g_nextDevice++].c_str() : nullptr;
}

const char* __cdecl ListFirstArea(const char* device)
{
    StoreCall("ListFirstArea " + std::string(device));
    g_entries = Fake().areas[device];
    g_nextEntry = 0;
    return NextEntry();
}

const char* __cdecl ListNextArea(void)
{
    return NextEntry();
}

}  // extern "C"
