// The device lookup library, ORVENT.dll. Every function is extern "C", __cdecl, exported
// undecorated. The enumerations keep their position inside the library; a returned string stays
// valid until the next call of the same enumeration.
#pragma once

#include "framework/cstringlist.h"

#ifdef ORVENT_BUILD
#define ORVENT_API __declspec(dllexport)
#else
#define ORVENT_API
#endif

extern "C" {
ORVENT_API void __cdecl StoreFailedConnections(CStringList& failed);
ORVENT_API const char* __cdecl ListFirstDevice(const char* server, int kind);
ORVENT_API const char* __cdecl ListNextDevice(void);
ORVENT_API const char* __cdecl ListFirstArea(const char* device);
ORVENT_API const char* __cdecl ListNextArea(void);
}
