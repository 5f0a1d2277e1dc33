// One area as the browser and the writes meet it: its login control, its lock, and every
// category below it with its description, each folder one directory read, no link followed.
#pragma once

#include "doctor/report.h"

struct AreaCheck {
    std::vector<SiteFinding> findings;
    size_t categories = 0;
};

// folder is the area's folder; tidy removes the leftovers found, under the area's lock.
AreaCheck CheckArea(const std::string& device, const std::string& area, const std::string& folder,
                    bool tidy);
