// The site's own view, for its administrator: the store read as the browser and the writes read
// it, through the store's own functions, with every finding that explains what a person sees or
// what a write answers. The front door of vorlanxhost's check (store/doctor/). Changes nothing
// unless asked to tidy.
#pragma once

#include <string>
#include <vector>

enum class Severity { error, warning, info };

struct SiteFinding {
    Severity severity;
    std::string kind;      // "leftover", "unreachable-server"... as the report names it
    std::string device, area, category;  // where: empty when it is the whole site's
    std::string path;      // the file or folder it is about, as Windows names it; empty for an option
    std::string message;   // what it is, and what the browser shows or the store answers
    std::string advice;    // what to do
    bool site = false;     // storage.ini's: reported with the site, whatever device it names
};

struct SiteCheckRequest {
    std::string device, area;  // only this device (and area) when given
    bool tidy = false;          // remove the leftovers that the next write would tidy
};

struct SiteReport {
    std::vector<SiteFinding> findings;  // by device, area and category, as the site lists them
    size_t devices = 0, areas = 0, categories = 0;
};

SiteReport CheckSite(const SiteCheckRequest& request);
