#include "store_forwarder.h"

#include "support/fixtures/deployment.h"
#include "external/orvent.h"
#include "external/talmor.h"

namespace {
HMODULE g_talmor = nullptr;
HMODULE g_orvent = nullptr;

template <typename Fn>
Fn From(HMODULE module, const char* name)
{
    return Proc<Fn>(module, name);
}
}  // namespace

void ForwardStoreTo(HMODULE talmor, HMODULE orvent)
{
    g_talmor = talmor;
    g_orvent = orvent;
}

bool ForwardStoreTo(Deployment& deployment)
{
    ForwardStoreTo(deployment.Load("talmor.dll"), deployment.Load("ORVENT.dll"));
    return g_talmor && g_orvent;
}

extern "C" {

void __cdecl talmor_startcache(void)
{
    From<void(__cdecl*)()>(g_talmor, "talmor_startcache")();
}

void __cdecl talmor_stopcache(void)
{
    From<void(__cdecl*)()>(g_talmor, "talmor_stopcache")();
}

int __cdecl talmor_IsAreaReadonly(const char* device, const char* area)
{
    return From<decltype(&talmor_IsAreaReadonly)>(g_talmor, "talmor_IsAreaReadonly")(device, area);
}

int __cdecl cc_check_trailer_ex(char* path, int mode, int* first, int* second, int* third)
{
    return From<decltype(&cc_check_trailer_ex)>(g_talmor, "cc_check_trailer_ex")(path, mode, first,
                                                                                second, third);
}

int __cdecl talmor_RetrieveCategory(const char* d, const char* a, const char* c, CCategoryData* r)
{
    return From<decltype(&talmor_RetrieveCategory)>(g_talmor, "talmor_RetrieveCategory")(d, a, c, r);
}

int __cdecl talmor_NewCategory(const char* d, const char* a, const char* c, CCategoryData* r)
{
    return From<decltype(&talmor_NewCategory)>(g_talmor, "talmor_NewCategory")(d, a, c, r);
}

int __cdecl talmor_EditCategory(const char* d, const char* a, const char* c, CCategoryData* r)
{
    return From<decltype(&talmor_EditCategory)>(g_talmor, "talmor_EditCategory")(d, a, c, r);
}

int __cdecl talmor_DeleteCategory(const char* d, const char* a, const char* c)
{
    return From<decltype(&talmor_DeleteCategory)>(g_talmor, "talmor_DeleteCategory")(d, a, c);
}

void __cdecl StoreFailedConnections(CStringList& failed)
{
    From<decltype(&StoreFailedConnections)>(g_orvent, "StoreFailedConnections")(failed);
}

const char* __cdecl ListFirstDevice(const char* server, int kind)
{
    return From<decltype(&ListFirstDevice)>(g_orvent, "ListFirstDevice")(server, kind);
}

const char* __cdecl ListNextDevice(void)
{
    return From<decltype(&ListNextDevice)>(g_orvent, "ListNextDevice")();
}

const char* __cdecl ListFirstArea(const char* device)
{
    return From<decltype(&ListFirstArea)>(g_orvent, "ListFirstArea")(device);
}

const char* __cdecl ListNextArea(void)
{
    return From<decltype(&ListNextArea)>(g_orvent, "ListNextArea")();
}

}  // extern "C"
