// The four exports. Each makes the library's module state current for its whole call, passes
// the category store's result through unchanged and never lets an exception out (NoThrow).
#include "vorlanx.h"

#include "browser/browse_area.h"
#include "external/category_fields.h"
#include "external/talmor.h"
#include "framework/module_state.h"
#include "base/no_throw.h"
#include "trace/trace.h"

#include <cstdlib>
#include <cstring>

namespace {

using StoreWrite = int(__cdecl*)(const char*, const char*, const char*, CCategoryData*);

int WriteCategory(StoreWrite write, const char* pszDevice, const char* pszArea,
                  const char* pszCategory, const char* pszName, const char* pszDescription)
{
    return NoThrow([&] {
        AFX_MAINTAIN_STATE2 state(AfxGetStaticModuleState());
        CCategoryData record;
        // Over-long texts are refused rather than cut: a cut name would create another category.
        if (!CopyFieldOrRefuse(record.name, pszName) ||
            !CopyFieldOrRefuse(record.description, pszDescription))
            return VORLANX_ERR_INVALID_ARGUMENT;
        return write(pszDevice, pszArea, pszCategory, &record);
    }, VORLANX_ERR_IO, VORLANX_ERR_NO_MEMORY);
}

}  // namespace

extern "C" {

char* __cdecl vorlanx_browse_category(HWND hwndParent, const char* pszDevice, const char* pszArea)
{
    return Traced("vorlanx_browse_category", {pszDevice, pszArea}, [&] {
        bool failed = true;
        char* result = NoThrow([&] {
            AFX_MAINTAIN_STATE2 state(AfxGetStaticModuleState());
            CWnd parent;  // wraps the host's window for the call, and leaves it as it was
            parent.Attach(hwndParent);
            CBrowseArea dialog(&parent);
            dialog.m_strDevice = pszDevice;
            dialog.m_strArea = pszArea;
            dialog.m_bSingleSelection = 1;  // the sub-folder menu stays off
            dialog.DoModal();               // OK, Cancel or failure: the result says
            failed = false;
            return _strdup(dialog.m_strResult);
        }, static_cast<char*>(nullptr));
        return failed ? _strdup("") : result;  // a failed call chose nothing
    });
}

int __cdecl vorlanx_retrieve_category(void* /*reserved*/, const char* pszDevice, const char* pszArea,
                                      const char* pszCategory, char* pszName, char* pszDescription)
{
    return Traced("vorlanx_retrieve_category", {pszDevice, pszArea, pszCategory}, [&] {
        return NoThrow([&] {
            AFX_MAINTAIN_STATE2 state(AfxGetStaticModuleState());
            CCategoryData record = {};
            const int result = talmor_RetrieveCategory(pszDevice, pszArea, pszCategory, &record);
            if (result == VORLANX_OK) {
                CopyFieldOut(pszName, record.name);
                CopyFieldOut(pszDescription, record.description);
            }
            return result;
        }, VORLANX_ERR_IO, VORLANX_ERR_NO_MEMORY);
    });
}

int __cdecl vorlanx_new_category(void* /*reserved*/, const char* pszDevice, const char* pszArea,
                                 const char* pszCategory, const char* pszName,
                                 const char* pszDescription)
{
    return Traced("vorlanx_new_category", {pszDevice, pszArea, pszCategory, pszName}, [&] {
        return WriteCategory(talmor_NewCategory, pszDevice, pszArea, pszCategory, pszName,
                             pszDescription);
    });
}

int __cdecl vorlanx_edit_category(void* /*reserved*/, const char* pszDevice, const char* pszArea,
                                  const char* pszCategory, const char* pszName,
                                  const char* pszDescription)
{
    return Traced("vorlanx_edit_category", {pszDevice, pszArea, pszCategory, pszName}, [&] {
        return WriteCategory(talmor_EditCategory, pszDevice, pszArea, pszCategory, pszName,
                             pszDescription);
    });
}

}  // extern "C"
