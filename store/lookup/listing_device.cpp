#include "lookup/listing_device.h"

#include <windows.h>

#include <memory>
#include <type_traits>

std::string ListingDeviceOfThread()
{
    // A reference of our own for the call: another thread may free the lookup meanwhile.
    HMODULE lookup = nullptr;
    if (!GetModuleHandleExA(0, "ORVENT.dll", &lookup))
        return std::string();
    const std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&FreeLibrary)> hold(
        lookup, &FreeLibrary);
    using ListingFn = const char*(__cdecl*)(void);
    const auto listing = reinterpret_cast<ListingFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(lookup, "ListingDevice")));
    const char* name = listing ? listing() : nullptr;
    return name ? std::string(name) : std::string();
}
