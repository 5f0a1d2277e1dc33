// Resource look-up: under the current module state's resource handle first, then along its
// resource chain.
#pragma once

#include "framework/cstring.h"

#include <windows.h>

// The module that holds the resource; the resource handle when no module does.
HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type);
