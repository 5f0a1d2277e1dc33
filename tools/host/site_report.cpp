#include "site_report.h"

#include "site_check.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const char* SeverityName(Severity severity)
{
    switch (severity) {
    case Severity::error: return "error";
    case Severity::warning: return "warning";
    case Severity::info: return "info";
    }
    return "";
}

// JSON is UTF-8; the store's names are in the ANSI code page.
std::string Utf8(const std::string& ansi)
{
    const int wide = MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), nullptr, 0);
    std::wstring w(size_t(wide > 0 ? wide : 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), w.data(), wide);
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string utf8(size_t(n > 0 ? n : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, utf8.data(), n, nullptr, nullptr);
    return utf8;
}

std::string JsonText(const std::string& ansi)
{
    std::string out = "\"";
    for (const char c : Utf8(ansi)) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escaped[8];
            snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

struct CCounts {
    size_t errors = 0, warnings = 0, infos = 0;
};

CCounts Count(const SiteReport& report)
{
    CCounts counts;
    for (const SiteFinding& f : report.findings)
        ++(f.severity == Severity::error     ? counts.errors
           : f.severity == Severity::warning ? counts.warnings
                                             : counts.infos);
    return counts;
}

void PrintJson(const SiteReport& report, double seconds)
{
    const CCounts counts = Count(report);
    printf("{\"findings\": [");
    const char* separator = "\n";
    for (const SiteFinding& f : report.findings) {
        printf("%s  {\"severity\": \"%s\", \"kind\": %s, \"device\": %s, \"area\": %s, "
               "\"category\": %s, \"path\": %s, \"message\": %s, \"advice\": %s}",
               separator, SeverityName(f.severity), JsonText(f.kind).c_str(),
               JsonText(f.device).c_str(), JsonText(f.area).c_str(), JsonText(f.category).c_str(),
               JsonText(f.path).c_str(), JsonText(f.message).c_str(), JsonText(f.advice).c_str());
        separator = ",\n";
    }
    printf("],\n \"summary\": {\"errors\": %zu, \"warnings\": %zu, \"infos\": %zu, \"devices\": "
           "%zu, \"areas\": %zu, \"categories\": %zu, \"seconds\": %.3f}}\n",
           counts.errors, counts.warnings, counts.infos, report.devices, report.areas,
           report.categories, seconds);
}

void PrintHuman(const SiteReport& report, double seconds)
{
    std::string device, area;
    bool first = true;
    for (const SiteFinding& f : report.findings) {
        // storage.ini's own lines stay together, whichever device they name.
        const std::string& of = f.site ? std::string() : f.device;
        if (first || of != device || f.area != area) {
            device = of;
            area = f.area;
            if (device.empty())
                printf("%sThe site (storage.ini):\n", first ? "" : "\n");
            else if (area.empty())
                printf("%sDevice %s:\n", first ? "" : "\n", device.c_str());
            else
                printf("%sDevice %s, area %s:\n", first ? "" : "\n", device.c_str(), area.c_str());
            first = false;
        }
        printf("  %-7s %s%s%s: %s %s\n", SeverityName(f.severity), f.kind.c_str(),
               f.category.empty() ? "" : " in ", f.category.c_str(), f.message.c_str(),
               f.advice.c_str());
    }
    const CCounts counts = Count(report);
    printf("%s%zu error%s, %zu warning%s, %zu info; %zu device%s, %zu area%s, %zu "
           "categor%s checked in %.1f s.\n",
           report.findings.empty() ? "" : "\n", counts.errors, counts.errors == 1 ? "" : "s",
           counts.warnings, counts.warnings == 1 ? "" : "s", counts.infos, report.devices,
           report.devices == 1 ? "" : "s", report.areas, report.areas == 1 ? "" : "s",
           report.categories, report.categories == 1 ? "y" : "ies", seconds);
}

}  // namespace

int RunSiteCheck(int count, char** args)
{
    SiteCheckRequest request;
    bool json = false;
    int places = 0;
    for (int i = 0; i < count; ++i) {
        const std::string arg = args[i];
        if (arg == "--json")
            json = true;
        else if (arg == "--tidy")
            request.tidy = true;
        else if (arg.rfind("-", 0) == 0 || places == 2)
            return 2;
        else
            (places++ == 0 ? request.device : request.area) = arg;
    }
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    const SiteReport report = CheckSite(request);
    QueryPerformanceCounter(&end);
    const double seconds = double(end.QuadPart - begin.QuadPart) / double(frequency.QuadPart);
    if (json)
        PrintJson(report, seconds);
    else
        PrintHuman(report, seconds);
    return Count(report).errors ? 1 : 0;
}
