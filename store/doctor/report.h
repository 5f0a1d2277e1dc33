// What the site check's rooms share: adding a finding, and plain words for times and sizes.
#pragma once

#include "site_check.h"

#include <cstdint>
#include <string>
#include <vector>

// The findings of one place of the site: a device, or one of its areas.
class CFindings {
public:
    CFindings(std::string device, std::string area)
        : m_strDevice(std::move(device)), m_strArea(std::move(area))
    {
    }

    // category: the folder's levels below the area, joined with '#'; path: what it is about.
    SiteFinding& Add(Severity severity, const char* kind, const std::string& category,
                     const std::string& path, const std::string& message,
                     const std::string& advice)
    {
        return m_vecFound.emplace_back(SiteFinding{severity, kind, m_strDevice, m_strArea,
                                                   category, path, message, advice});
    }

    std::vector<SiteFinding>& Found() { return m_vecFound; }

private:
    std::string m_strDevice, m_strArea;
    std::vector<SiteFinding> m_vecFound;
};

// "3 days", "5 minutes": how long ago a file time (100 ns since 1601) was.
std::string AgeInWords(uint64_t writeTime);

// A text as a report quotes it: in double quotes.
std::string Quoted(const std::string& text);

struct CFolderEntry;
// An entry of folder (an area, or a category below category) that ReadFolder left out, as the
// host's code page cannot write its name: named as it shows, with the code pages that write it.
void AddUnwritableName(CFindings& found, const std::string& category, const std::string& folder,
                       const CFolderEntry& entry);
