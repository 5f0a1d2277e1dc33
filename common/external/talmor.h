// The category store, talmor.dll. Every function is extern "C", __cdecl, exported undecorated.
// Results: 1 is success; the other codes are listed in include/vorlanx.h.
#pragma once

#include "external/category_data.h"

#ifdef TALMOR_BUILD
#define TALMOR_API __declspec(dllexport)
#else
#define TALMOR_API
#endif

extern "C" {
TALMOR_API void __cdecl talmor_startcache(void);
TALMOR_API void __cdecl talmor_stopcache(void);
TALMOR_API int __cdecl talmor_IsAreaReadonly(const char* device, const char* area);
TALMOR_API int __cdecl cc_check_trailer_ex(char* loginPath, int mode, int* first, int* second,
                                           int* third);
TALMOR_API int __cdecl talmor_RetrieveCategory(const char* device, const char* area,
                                               const char* category, CCategoryData* record);
TALMOR_API int __cdecl talmor_NewCategory(const char* device, const char* area,
                                          const char* category, CCategoryData* record);
TALMOR_API int __cdecl talmor_EditCategory(const char* device, const char* area,
                                           const char* category, CCategoryData* record);
TALMOR_API int __cdecl talmor_DeleteCategory(const char* device, const char* area,
                                             const char* category);
}
