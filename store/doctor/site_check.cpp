// The whole site: storage.ini, the servers behind the devices (all checked at once, so a dead
// one costs its deadline once), then every area of every device, several at once.
#include "site_check.h"

#include "areas/locate.h"
#include "disk/folders.h"
#include "disk/profile.h"
#include "doctor/area_check.h"
#include "formats/options.h"
#include "site/profile_text.h"
#include "lookup/devices.h"
#include "names/folder_names.h"
#include "names/own_names.h"
#include "servers/servers.h"
#include "servers/worker_pool.h"
#include "site/storage_ini.h"
#include "vorlanx.h"

#include <windows.h>

#include <map>
#include <set>

namespace {

// How long the check waits for servers that missed their deadline to answer after all, so that
// a slow server is told from a dead one: that many deadlines from the servers' check, once for
// the site, the walk of the areas included.
const unsigned kLateAnswerDeadlines = 4;

const char kDeadlineAdvice[] = "raise server_deadline_ms in section [options] of storage.ini";

void CheckDeviceLines(const std::string& ini, const CDeviceTable& table, CFindings& found)
{
    std::vector<std::string> lines;
    if (!ReadProfileSection(ini, "devices", lines)) {
        found.Add(Severity::error, "bad-device-line", "", ini,
                  "Section [devices] of " + ini + " cannot be read whole: the devices are listed "
                  "as far as the system reads them.",
                  "Keep the section under 64 MB.");
        return;
    }
    std::set<const Device*> seen;
    std::string name, root;
    for (const std::string& line : lines) {
        const std::string where = "The line " + Quoted(line) + " of [devices] in " + ini;
        if (!SplitProfileLine(line, name, root) || name.empty()) {
            found.Add(Severity::error, "bad-device-line", "", ini,
                      where + " is not \"NAME = ROOT\": it lists no device.",
                      "Write it as NAME = ROOT, for example 1 = \\\\server\\share\\dev1.");
            continue;
        }
        const Device* device = table.Find(name);
        if (device && !seen.insert(device).second) {
            found.Add(Severity::warning, "duplicate-device", "", ini,
                      where + " names device " + Quoted(device->name) + " again: it is listed "
                      "once, with the first line's root " + device->root + ".",
                      "Remove one of the two lines, or give this one another name.")
                .device = device->name;
            continue;
        }
        std::string why;
        if (root.empty())
            why = "its root is empty";
        else if (!IsAbsoluteRoot(root) && ServerOf(root).empty())
            why = "its root names neither a drive (X:\\...) nor a share (\\\\server\\share)";
        else if (!IsAbsoluteRoot(root))
            why = "its root is relative: it would depend on the program's current folder";
        if (!why.empty())
            found.Add(Severity::error, "bad-device-line", "", ini,
                      where + ": " + why + ". The device is listed without areas, reported as a "
                      "failed connection, and every call on it answers " +
                      std::to_string(VORLANX_ERR_NO_DEVICE) + " (no such device).",
                      "Give the device an absolute root: X:\\folder or \\\\server\\share\\folder.")
                .device = device ? device->name : name;
    }
}

void CheckOptions(const std::string& ini, CFindings& found)
{
    const std::string text = ReadOption(kServerDeadlineOption.key);
    bool exact = true;
    const unsigned used = OptionNumber(text, kServerDeadlineOption, &exact);
    if (!exact)
        found.Add(Severity::warning, "bad-option", "", "",
                  std::string(kServerDeadlineOption.key) + " = " + text + " in " + ini +
                      " is not a whole number from " + std::to_string(kServerDeadlineOption.least) +
                      " to " + std::to_string(kServerDeadlineOption.most) + ": the store uses " +
                      std::to_string(used) + " ms.",
                  "Write a number of milliseconds, for example server_deadline_ms = 2000.");
}

struct CServerUse {
    std::string root;                  // one device's root on it, for the store's calls
    std::vector<std::string> devices;  // its devices, in listing order
};

// The servers' verdicts, once every server that missed its deadline answered late or the site's
// wait for them ran out.
void ReportServers(const std::map<std::string, CServerUse>& servers, unsigned deadline,
                   std::map<std::string, std::vector<SiteFinding>>& byDevice)
{
    for (const auto& [server, use] : servers) {
        const ServerCheck check = LastServerCheck(use.root);
        const std::string took = std::to_string(check.ms) + " ms";
        const std::string limit = std::to_string(deadline) + " ms";
        for (const std::string& device : use.devices) {
            CFindings found(device, "");
            if (!check.reachable && !check.answered)
                found.Add(Severity::error, "unreachable-server", "", server,
                          "The server " + server + " did not answer within its deadline of " +
                              limit + " (nor in " + took + "): the device shows no areas, the "
                              "browser shows its login checks blocked, and every call on it "
                              "answers " + std::to_string(VORLANX_ERR_UNREACHABLE) + ".",
                          "Check that " + server + " is up and this machine can reach it; on a "
                          "slow link, " + kDeadlineAdvice + ".");
            else if (check.ms > deadline)
                found.Add(Severity::error, "slow-server", "", server,
                          "The server " + server + " answered in " + took + ", above its "
                          "deadline of " + limit + ": while it is this slow the device shows no "
                          "areas and calls on it answer " +
                              std::to_string(VORLANX_ERR_UNREACHABLE) + ".",
                          std::string("Look into the server's load or link, or ") +
                              kDeadlineAdvice + " (now " + limit + ").");
            else if (check.ms * 5 >= deadline * 4)
                found.Add(Severity::warning, "slow-server", "", server,
                          "The server " + server + " answered in " + took + ", within a fifth "
                          "of its deadline of " + limit + ": a little slower and the device "
                          "shows no areas.",
                          std::string("Look into the server's load or link, or ") +
                              kDeadlineAdvice + " (now " + limit + ").");
            auto& list = byDevice[device];
            list.insert(list.end(), found.Found().begin(), found.Found().end());
        }
    }
}

struct CAreaJob {
    const Device* device;
    std::string name, folder;
    AreaCheck result;
};

// The areas of a device as its listing gives them; the device's own findings when it has none.
// drives: the devices are the machine's drives, most of which hold no store.
void ListAreas(const Device& d, const std::string& only, bool drives, std::vector<CAreaJob>& jobs,
               CFindings& found)
{
    const std::string storage = StorageFolder(d.root);
    std::vector<CFolderEntry> entries;
    if (!IsDirectory(d.root)) {
        found.Add(Severity::error, "no-device-folder", "", d.root,
                  "The device's root " + d.root + " is not a folder that can be reached: the "
                  "device shows no areas and is reported as a failed connection.",
                  "Make the folder, or correct the device's line in storage.ini.");
        return;
    }
    if (!ReadFolder(storage, entries)) {
        found.Add(drives ? Severity::info : Severity::error, "no-storage-folder", "", storage,
                  "The device has no folder " + storage + " that can be read: it shows no areas.",
                  "Make " + storage + " with a folder per area, each with its login.ctl.");
        return;
    }
    const CodePage& cp = AnsiCodePage();
    for (const CFolderEntry& e : entries) {
        if (!e.m_bFolder || IsLeftoverFolder(e.m_strName) ||
            (!only.empty() && !SameName(only, e.m_strName)))
            continue;
        const std::string folder = JoinPath(storage, e.m_strName, cp);
        if (!IsFolderName(e.m_strName, cp, true) || folder.size() > kMaxFilePath) {
            CFindings area(d.name, e.m_strName);
            area.Add(Severity::error, IsFolderName(e.m_strName, cp, true) ? "path-too-long"
                                                                          : "reserved-name", "", folder,
                     "The area folder " + folder + " is listed, but its name or path is not one "
                     "the store can use: every call on it answers an error.",
                     "Rename " + folder + " to a short plain name.");
            found.Found().insert(found.Found().end(), area.Found().begin(), area.Found().end());
            continue;
        }
        jobs.push_back({&d, e.m_strName, folder, {}});
    }
    if (!only.empty() && jobs.empty())
        found.Add(Severity::error, "no-area", "", storage,
                  "The device has no area " + Quoted(only) + " in " + storage + ".",
                  "Check the area's name.");
}

}  // namespace

SiteReport CheckSite(const SiteCheckRequest& request)
{
    SiteReport report;
    const std::shared_ptr<const CDeviceTable> table = ReadDevices();
    const std::string ini = StorageIniPath();
    CFindings site("", "");
    const bool drives = GetFileAttributesA(ini.c_str()) == INVALID_FILE_ATTRIBUTES;
    if (drives) {
        site.Add(Severity::warning, "no-storage-ini", "", ini,
                 "There is no " + ini + ": the devices are this machine's drives, each with its "
                 "own userroot\\storage folder.",
                 "Write storage.ini beside talmor.dll and ORVENT.dll, with a section [devices] "
                 "of lines NAME = ROOT.");
    } else {
        CheckDeviceLines(ini, *table, site);
        CheckOptions(ini, site);
    }

    std::vector<const Device*> devices;
    for (const Device& d : table->All())
        if (request.device.empty() || table->Find(request.device) == &d)
            devices.push_back(&d);
    if (devices.empty() && !request.device.empty())
        site.Add(Severity::error, "no-device", "", ini,
                 "There is no device " + Quoted(request.device) + " in " + ini + ".",
                 "Check the device's name: vorlanxhost check without arguments lists them all.")
            .device = request.device;

    // Every server at once: a dead one costs one deadline.
    std::map<std::string, CServerUse> servers;
    std::vector<std::string> roots;
    for (const Device* d : devices)
        if (IsAbsoluteRoot(d->root) && !ServerOf(d->root).empty()) {
            CServerUse& use = servers[ServerOf(d->root)];
            if (use.root.empty()) {
                use.root = d->root;
                roots.push_back(d->root);
            }
            use.devices.push_back(d->name);
        }
    const unsigned deadline = ServerDeadline();
    const ULONGLONG begin = GetTickCount64();
    CheckServers(roots, true);

    std::map<std::string, CFindings> deviceFindings;
    std::vector<CAreaJob> jobs;
    for (const Device* d : devices) {
        CFindings& found = deviceFindings.try_emplace(d->name, d->name, "").first->second;
        ++report.devices;
        if (IsAbsoluteRoot(d->root) && LastServerCheck(d->root).reachable)
            ListAreas(*d, request.area, drives, jobs, found);
    }
    RunOnPool(jobs.size(), [&](size_t i) {
        jobs[i].result = CheckArea(jobs[i].device->name, jobs[i].name, jobs[i].folder,
                                   request.tidy);
    });

    const ULONGLONG spent = GetTickCount64() - begin, wait = 1ull * kLateAnswerDeadlines * deadline;
    WaitForAnswers(roots, spent < wait ? wait - spent : 0);
    std::map<std::string, std::vector<SiteFinding>> serverFindings;
    ReportServers(servers, deadline, serverFindings);

    // In listing order: the site, then each device, its servers' findings, and its areas.
    report.findings = std::move(site.Found());
    for (SiteFinding& f : report.findings)
        f.site = true;
    size_t next = 0;
    for (const Device* d : devices) {
        auto& add = report.findings;
        const auto& server = serverFindings[d->name];
        add.insert(add.end(), server.begin(), server.end());
        auto& own = deviceFindings.at(d->name).Found();
        add.insert(add.end(), own.begin(), own.end());
        for (; next < jobs.size() && jobs[next].device == d; ++next) {
            ++report.areas;
            report.categories += jobs[next].result.categories;
            add.insert(add.end(), jobs[next].result.findings.begin(),
                       jobs[next].result.findings.end());
        }
    }
    return report;
}
