// An in-process device lookup and category store for the benchmarks: answers from memory, as
// fast as a lookup can be, so that what is measured is the browser's own work.
#include "lean_lookup.h"

#include "external/orvent.h"
#include "external/talmor.h"

namespace {
LeanLookup g_lookup;
size_t g_device = 0, g_entry = 0;
const std::vector<std::string>* g_entries = nullptr;
}  // namespace

LeanLookup& Lookup()
{
    return g_lookup;
}

extern "C" {
void __cdecl talmor_startcache(void) {}
void __cdecl talmor_stopcache(void) {}
int __cdecl talmor_IsAreaReadonly(const char*, const char*) { return 1; }
int __cdecl cc_check_trailer_ex(char*, int, int*, int* second, int*)
{
    *second = 0;
    return 1;
}
int __cdecl talmor_RetrieveCategory(const char*, const char*, const char*, CCategoryData*) { return 0; }
int __cdecl talmor_NewCategory(const char*, const char*, const char*, CCategoryData*) { return 0; }
int __cdecl talmor_EditCategory(const char*, const char*, const char*, CCategoryData*) { return 0; }
int __cdecl talmor_DeleteCategory(const char*, const char*, const char*) { return 0; }
void __cdecl StoreFailedConnections(CStringList&) {}

const char* __cdecl ListFirstDevice(const char*, int)
{
    g_device = 0;
    return ListNextDevice();
}

const char* __cdecl ListNextDevice(void)
{
    return g_device < g_lookup.devices.size() ? g_lookup.devices[g_device++].name.c_str() : nullptr;
}

const char* __cdecl ListFirstArea(const char* device)
{
    g_entries = nullptr;
    for (const auto& d : g_lookup.devices)
        if (d.name == device)
            g_entries = &d.listed;
    g_entry = 0;
    return ListNextArea();
}

const char* __cdecl ListNextArea(void)
{
    return g_entries && g_entry < g_entries->size() ? (*g_entries)[g_entry++].c_str() : nullptr;
}
}
