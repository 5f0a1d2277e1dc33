// The category store on real folders: the front door that talmor.dll's entry points wrap. A
// category is a folder below its area's folder (levels of a category path joined with '#') and
// its description is category.txt in it; see docs/sites.md, "The store on disk". Every function
// answers a code of vorlanx.h; what can throw is an allocation.
#pragma once

#include "external/category_data.h"

// The calling thread's cached pass (talmor_startcache, talmor_stopcache): until it is closed, what
// the store reads is read once and kept; the answers are the same without it. Closing a pass
// that is not open does nothing; a thread that ends closes its own.
void OpenCachePass();
void CloseCachePass();

// The area's read-only test: VORLANX_AREA_HIDDEN, VORLANX_AREA_READONLY or VORLANX_OK.
int AreaReadOnlyStatus(const char* device, const char* area);

// The access that the login control file at loginPath (DEVICE:\userroot\storage\AREA\login.ctl)
// gives: VORLANX_OK or an area code; VORLANX_ERR_NO_LOGIN_CONTROL, VORLANX_ERR_NO_DEVICE.
int CheckLoginControl(const char* loginPath);

// Fills record on VORLANX_OK only. A category that vanishes meanwhile answers
// VORLANX_ERR_NO_CATEGORY, as one that was never there.
int RetrieveCategory(const char* device, const char* area, const char* category,
                     CCategoryData* record);

// A category appears and disappears whole: New builds it under a temporary name, description
// and all, and renames it into place; Delete moves it aside under a temporary name first and only
// then removes what it held. A refused write leaves everything as it was.
int NewCategory(const char* device, const char* area, const char* parent,
                const CCategoryData* record);
int EditCategory(const char* device, const char* area, const char* category,
                 const CCategoryData* record);
int DeleteCategory(const char* device, const char* area, const char* category);
