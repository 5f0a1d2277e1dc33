// talmor.dll: the category store's C entry points, thin wrappers over the store's front door
// (store/category_store.h). No exception leaves the library: what can throw is an allocation.
#include "external/talmor.h"

#include "category_store.h"
#include "framework/no_throw.h"
#include "vorlanx.h"

#include <initializer_list>
#include <new>

namespace {

template <typename Body>
int Guarded(Body body)
{
    return NoThrow(body, VORLANX_ERR_IO, VORLANX_ERR_NO_MEMORY);
}

}  // namespace

extern "C" {

void __cdecl talmor_startcache(void)
{
    // Without memory for a pass the calls simply read afresh: the answers are the same.
    NoThrow(OpenCachePass);
}

void __cdecl talmor_stopcache(void)
{
    CloseCachePass();
}

int __cdecl talmor_IsAreaReadonly(const char* device, const char* area)
{
    return Guarded([&] { return AreaReadOnlyStatus(device, area); });
}

int __cdecl cc_check_trailer_ex(char* loginPath, int /*mode*/, int* first, int* second, int* third)
{
    for (int* out : {first, second, third})
        if (out)
            *out = 0;
    const int code = Guarded([&] { return CheckLoginControl(loginPath); });
    // Nobody can log in to an area whose login control cannot be read.
    if (code != VORLANX_OK && code != VORLANX_AREA_BLOCKED && code != VORLANX_AREA_RESTRICTED &&
        code != VORLANX_AREA_RESTRICTED_EXPIRED && second)
        *second = 13;
    return code;
}

int __cdecl talmor_RetrieveCategory(const char* device, const char* area, const char* category,
                                    CCategoryData* record)
{
    return Guarded([&] { return RetrieveCategory(device, area, category, record); });
}

int __cdecl talmor_NewCategory(const char* device, const char* area, const char* category,
                               CCategoryData* record)
{
    return Guarded([&] { return NewCategory(device, area, category, record); });
}

int __cdecl talmor_EditCategory(const char* device, const char* area, const char* category,
                                CCategoryData* record)
{
    return Guarded([&] { return EditCategory(device, area, category, record); });
}

int __cdecl talmor_DeleteCategory(const char* device, const char* area, const char* category)
{
    return Guarded([&] { return DeleteCategory(device, area, category); });
}

}  // extern "C"
