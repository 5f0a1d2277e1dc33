// talmor.dll: the category store's C entry points, thin wrappers over the store's front door
// (store/category_store.h). No exception leaves the library: what can throw is an allocation.
#include "external/talmor.h"

#include "category_store.h"
#include "base/no_throw.h"
#include "trace/trace.h"
#include "vorlanx.h"

#include <initializer_list>
#include <new>

namespace {

// Each call traced when the site asks for it (trace/trace.h).
template <typename Body>
int Guarded(const char* call, std::initializer_list<TraceArg> args, Body body)
{
    return Traced(call, args, [&] { return NoThrow(body, VORLANX_ERR_IO, VORLANX_ERR_NO_MEMORY); });
}

}  // namespace

extern "C" {

void __cdecl talmor_startcache(void)
{
    // Without memory for a pass the calls simply read afresh: the answers are the same.
    Traced("talmor_startcache", {}, [] {
        NoThrow(OpenCachePass);
        return 0;
    });
}

void __cdecl talmor_stopcache(void)
{
    Traced("talmor_stopcache", {}, [] { CloseCachePass(); return 0; });
}

int __cdecl talmor_IsAreaReadonly(const char* device, const char* area)
{
    return Guarded("talmor_IsAreaReadonly", {device, area},
                   [&] { return AreaReadOnlyStatus(device, area); });
}

int __cdecl cc_check_trailer_ex(char* loginPath, int /*mode*/, int* first, int* second, int* third)
{
    for (int* out : {first, second, third})
        if (out)
            *out = 0;
    const int code = Guarded("cc_check_trailer_ex", {loginPath},
                             [&] { return CheckLoginControl(loginPath); });
    // Nobody can log in to an area whose login control cannot be read.
    if (code != VORLANX_OK && code != VORLANX_AREA_BLOCKED && code != VORLANX_AREA_RESTRICTED &&
        code != VORLANX_AREA_RESTRICTED_EXPIRED && second)
        *second = 13;
    return code;
}

int __cdecl talmor_RetrieveCategory(const char* device, const char* area, const char* category,
                                    CCategoryData* record)
{
    return Guarded("talmor_RetrieveCategory", {device, area, category},
                   [&] { return RetrieveCategory(device, area, category, record); });
}

int __cdecl talmor_NewCategory(const char* device, const char* area, const char* category,
                               CCategoryData* record)
{
    return Guarded("talmor_NewCategory", {device, area, category, record ? record->name : nullptr},
                   [&] { return NewCategory(device, area, category, record); });
}

int __cdecl talmor_EditCategory(const char* device, const char* area, const char* category,
                                CCategoryData* record)
{
    return Guarded("talmor_EditCategory", {device, area, category, record ? record->name : nullptr},
                   [&] { return EditCategory(device, area, category, record); });
}

int __cdecl talmor_DeleteCategory(const char* device, const char* area, const char* category)
{
    return Guarded("talmor_DeleteCategory", {device, area, category},
                   [&] { return DeleteCategory(device, area, category); });
}

}  // extern "C"
