#include "doctor/report.h"

#include "disk/folders.h"
#include "text/host_names.h"

#include <windows.h>

std::string AgeInWords(uint64_t writeTime)
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const uint64_t ticks = (uint64_t(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    const uint64_t seconds = ticks > writeTime ? (ticks - writeTime) / 10000000 : 0;
    static const struct {
        uint64_t size;
        const char* unit;
    } kUnits[] = {{86400, "day"}, {3600, "hour"}, {60, "minute"}, {1, "second"}};
    for (const auto& u : kUnits)
        if (seconds >= u.size || u.size == 1) {
            const uint64_t n = seconds / u.size;
            return std::to_string(n) + " " + u.unit + (n == 1 ? "" : "s");
        }
    return std::string();
}

void AddUnwritableName(CFindings& found, const std::string& category, const std::string& folder,
                       const CFolderEntry& entry)
{
    const std::string path = folder + "\\" + entry.m_strName;
    const std::string codePage = std::to_string(GetACP());
    const std::string writers = CodePagesWriting(entry.m_strWide.data(), entry.m_strWide.size());
    found.Add(Severity::warning, "name-not-in-code-page", category, path,
              "The folder " + Quoted(entry.m_strName) + " in " + folder + " has a name that "
              "code page " + codePage + " (this machine's) cannot write: hosts on it neither see "
              "it nor find it, and nothing below it. Code pages that write it: " +
              (writers.empty() ? "none of the usual ones" : writers) + ".",
              "Rename it to a name that code page " + codePage + " writes, or run the hosts "
              "that need it on a code page that writes it.");
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}
