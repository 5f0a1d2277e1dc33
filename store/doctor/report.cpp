#include "doctor/report.h"

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

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}
