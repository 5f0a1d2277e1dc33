// The four exports. Each makes the library's module state current for its whole call, passes
// the category store's result through unchanged and never lets an exception out.
#include "vorlanx.h"

#include "browser/browse_area.h"
#include "external/talmor.h"
#include "framework/module_state.h"

#include <cstdlib>
#include <cstring>

namespace {

// Copies text (null counts as empty) into a record field with its terminator; false, leaving the
// field alone, when it does not fit.
bool CopyToField(char* field, size_t size, const char* text)
{
    if (!text)
        text = "";
    const size_t length = strnlen(text, size);
    if (length == size)
        return false;
    memcpy(field, text, length + 1);
    return true;
}

// Copies a field that the store filled, at most size bytes, always terminated.
void CopyFromField(char* out, const char* field, size_t size)
{
    if (!out)
        return;
    const size_t length = strnlen(field, size - 1);
    memcpy(out, field, length);
    out[length] = '\0';
}

using StoreWrite = int(__cdecl*)(const char*, const char*, const char*, CCategoryData*);

int WriteCategory(StoreWrite write, const char* pszDevice, const char* pszArea,
                  const char* pszCategory, const char* pszName, const char* pszDescription)
{
    AFX_MAINTAIN_STATE2 state(AfxGetStaticModuleState());
    CCategoryData record;
    // Over-long texts are refused rather than cut: a cut name would create another category.
    if (!CopyToField(record.name, sizeof record.name, pszName) ||
        !CopyToField(record.description, sizeof record.description, pszDescription))
        return VORLANX_ERR_INVALID_ARGUMENT;
    return write(pszDevice, pszArea, pszCategory, &record);
}

}  // namespace

extern "C" {

char* __cdecl vorlanx_browse_category(HWND hwndParent, const char* pszDevice, const char* pszArea)
{
    try {
        CWnd parent;  // wraps the host's window for the call, and leaves it as it was
        char* result = nullptr;
        {
            AFX_MAINTAIN_STATE2 state(AfxGetStaticModuleState());
            parent.Attach(hwndParent);
            CBrowseArea dialog(&parent);
            dialog.m_strDevice = pszDevice;
            dialog.m_strArea = pszArea;
            dialog.m_bSingleSelection = 1;  // the sub-folder menu stays off
            dialog.DoModal();               // OK, Cancel or failure: the result says
            result = _strdup(dialog.m_strResult);
            parent.Detach();
        }
        return result;
    } catch (...) {
        return _strdup("");
    }
}

int __cdecl vorlanx_retrieve_category(void* /*reserved*/, const char* pszDevice, const char* pszArea,
                                      const char* pszCategory, char* pszName, char* pszDescription)
{
    AFX_MAINTAIN_STATE2 state(AfxGetStaticModuleState());
    CCategoryData record = {};
    const int result = talmor_RetrieveCategory(pszDevice, pszArea, pszCategory, &record);
    if (result == VORLANX_OK) {
        CopyFromField(pszName, record.name, sizeof record.name);
        CopyFromField(pszDescription, record.description, sizeof record.description);
    }
    return result;
}

int __cdecl vorlanx_new_category(void* /*reserved*/, const char* pszDevice, const char* pszArea,
                                 const char* pszCategory, const char* pszName,
                                 const char* pszDescription)
{
    return WriteCategory(talmor_NewCategory, pszDevice, pszArea, pszCategory, pszName,
                         pszDescription);
}

int __cdecl vorlanx_edit_category(void* /*reserved*/, const char* pszDevice, const char* pszArea,
                                  const char* pszCategory, const char* pszName,
                                  const char* pszDescription)
{
    return WriteCategory(talmor_EditCategory, pszDevice, pszArea, pszCategory, pszName,
                         pszDescription);
}

}  // extern "C"
