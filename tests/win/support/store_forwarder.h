// The category store and device lookup calls, forwarded to a deployment's real talmor.dll and
// ORVENT.dll: the one place the tests bind them. The browser runs in-process with our real store
// on a folder tree behind it, and the store's own tests call it as the browser does.
#pragma once

#include "external/orvent.h"
#include "external/talmor.h"

#include <windows.h>

// Binds the calls to these libraries (loaded by the test from its deployment).
void ForwardStoreTo(HMODULE talmor, HMODULE orvent);
