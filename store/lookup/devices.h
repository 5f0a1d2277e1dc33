// The devices of the store: section [devices] of storage.ini beside this library, one line per
// device in listing order, "name = root folder". Without the file: the logical drives.
//
// The file is read once and kept while it stays the same file with the same size and time (one
// changed in the last two seconds is read afresh, as its time may not show the next change): a
// store of many thousand lines costs its lines once, not once per call. Inside a cached pass
// the pass keeps the table it first got, so one tree build sees one table.
#pragma once

#include "formats/device_table.h"

#include <memory>

std::shared_ptr<const CDeviceTable> ReadDevices();

// Finds the device that token names (see CDeviceTable::Find); false when there is none or its
// root is not absolute.
bool ResolveDevice(const char* token, Device& device);

// How long a server's check may take before the server counts as unreachable, in ms: option
// server_deadline_ms of section [options] in storage.ini, for sites on slow links
// (formats/options.h); 500 without it.
unsigned ServerDeadline();
