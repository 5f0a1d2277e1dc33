// ORVENT.dll: the device lookup on real folders (store/lookup.h), as C exports that let no
// exception out.
#include "external/orvent.h"

#include "device_lookup.h"
#include "base/runtime_reserve.h"
#include "base/no_throw.h"
#include "trace/trace.h"

namespace {

// Each call traced when the site asks for it (trace/trace.h).
template <typename Body>
const char* Guarded(const char* call, std::initializer_list<TraceArg> args, Body body)
{
    return Traced(call, args, [&] { return NoThrow(body, static_cast<const char*>(nullptr)); });
}

}  // namespace

extern "C" {

void __cdecl StoreFailedConnections(CStringList& failed)
{
    Traced("StoreFailedConnections", {}, [&] {
        int count = 0;
        NoThrow([&] {
            for (const std::string& device : lookup::FailedDevices()) {
                failed.AddTail(device.c_str());
                ++count;
            }
        });
        return count;
    });
}

const char* __cdecl ListFirstDevice(const char* /*server*/, int /*kind*/)
{
    return Guarded("ListFirstDevice", {}, [] { return lookup::FirstDevice(); });
}

const char* __cdecl ListNextDevice(void)
{
    return Guarded("ListNextDevice", {}, [] { return lookup::NextDevice(); });
}

const char* __cdecl ListFirstArea(const char* device)
{
    return Guarded("ListFirstArea", {device}, [&] { return lookup::FirstArea(device); });
}

const char* __cdecl ListNextArea(void)
{
    return Guarded("ListNextArea", {}, [] { return lookup::NextArea(); });
}

// Ours alone: the category store asks it which of the devices that a login path's lone digit
// may name the calling thread has just listed.
__declspec(dllexport) const char* __cdecl ListingDevice(void)
{
    return Traced("ListingDevice", {}, [] { return lookup::ListingDevice(); });
}

// A thread that ends leaves nothing behind, nor a library that is freed.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_THREAD_DETACH)
        lookup::ForgetThread();
    else if (reason == DLL_PROCESS_DETACH)
        FreeRuntimeReserve(reserved);
    return TRUE;
}

}  // extern "C"
