// The device lookup: the devices of the store and their areas, listed for each thread with its
// own position. ORVENT.dll's exports are thin wrappers over these. A returned name stays valid
// until the calling thread's next call of the same listing (a device name, until the next
// NextDevice: the browser keeps using it while it lists and checks that device's areas).
#pragma once

#include <string>
#include <vector>

namespace lookup {

// The devices that cannot be used: a root that is not absolute or not a folder.
std::vector<std::string> FailedDevices();

const char* FirstDevice();
const char* NextDevice();

// The areas of a device, in the file system's order; on a numbered device every sub-folder of
// an area, at any depth, follows as AREA#CAT#SUB (links are not followed). A name that the
// host's code page cannot write exactly is never listed, nor what lies below it; leftOut, when
// given, gets each such entry as it would have been listed, shown in ASCII (EscapedName).
const char* FirstArea(const char* device, std::vector<std::string>* leftOut = nullptr);
const char* NextArea();

// Inside a device listing, the numbered device whose areas the calling thread listed last,
// until it lists another's or the device listing moves on; null when there is none.
const char* ListingDevice();

// Frees what the calling thread holds: for a thread that ends.
void ForgetThread();

}  // namespace lookup
