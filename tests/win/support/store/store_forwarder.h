// The category store and device lookup calls, forwarded to a deployment's real talmor.dll and
// ORVENT.dll: the one place the tests bind them. The browser runs in-process with our real store
// on a folder tree behind it, and the store's own tests call it as the browser does.
#pragma once

#include "external/orvent.h"
#include "external/talmor.h"

#include <windows.h>

class Deployment;

// Binds the calls to these libraries.
void ForwardStoreTo(HMODULE talmor, HMODULE orvent);
// Loads the deployment's talmor.dll and ORVENT.dll and binds the calls to them; false when one
// does not load.
bool ForwardStoreTo(Deployment& deployment);
