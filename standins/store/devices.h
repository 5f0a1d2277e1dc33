// The devices of the store: section [devices] of storage.ini beside this library, one line per
// device in listing order, "name = root folder". Without the file: the logical drives.
#pragma once

#include <string>
#include <vector>

struct Device {
    std::string name;  // as listed: "C:", "1", "12"
    std::string root;  // the folder that holds userroot\storage
};

std::vector<Device> ReadDevices();

// Finds the device that token names (see FindDevice); false when there is none.
bool ResolveDevice(const char* token, Device& device);

// Every device that token may name, best first (see FindDevices).
std::vector<Device> ResolveDevices(const char* token);
