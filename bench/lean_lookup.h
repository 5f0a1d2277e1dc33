// The benchmarks' in-process lookup: devices with their entries in listing order.
#pragma once

#include <string>
#include <vector>

struct LeanLookup {
    struct Device {
        std::string name;
        std::vector<std::string> listed;  // AREA, AREA#CAT, ... in listing order
    };
    std::vector<Device> devices;
};

LeanLookup& Lookup();
