// Which numbered device the calling thread is listing the areas of, as our device lookup
// (ORVENT.dll, when it is loaded in this process) tells: its ListingDevice export. Empty when
// the thread lists none, or the lookup in the process is not ours.
#pragma once

#include <string>

std::string ListingDeviceOfThread();
