// What the benchmarks on our store share: their clock, the areas they lay out, and the browse
// call timed until its dialog, its tree built, is up.
#pragma once

#include "support/drivers/dialog_driver.h"
#include "support/fixtures/deployment.h"
#include "vorlanx.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using Clock = std::chrono::steady_clock;

inline double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

inline std::string AreaName(int i)
{
    char name[16];
    snprintf(name, sizeof name, "AREA%05d", i);
    return name;
}

inline void MakeAreas(const std::string& storage, int from, int to)
{
    for (int i = from; i < to; ++i)
        MakeArea(storage, AreaName(i), "open");
}

// From the call until the dialog is up; then it is cancelled. items: what its tree holds, so
// that a fast open is seen to be a whole one.
// closing, when given, becomes the least time yet from the dialog up to the call's return.
inline double OpenTime(vorlanx_browse_category_fn browse, const char* device, const char* area,
                       int* items = nullptr, double* closing = nullptr)
{
    Clock::time_point up;
    DialogDriver driver([&](HWND dialog) {
        up = Clock::now();
        if (items)
            *items = int(SendDlgItemMessageA(dialog, 25031, TVM_GETCOUNT, 0, 0));  // the tree
        ClickButton(dialog, IDCANCEL);
    });
    const auto start = Clock::now();
    free(browse(nullptr, device, area));
    if (!driver.Ran())
        return -1;
    if (closing)
        *closing = std::min(*closing, Ms(Clock::now() - up));
    return Ms(up - start);
}

inline double Median(std::vector<double> figures)
{
    std::sort(figures.begin(), figures.end());
    const size_t n = figures.size();
    return n == 0 ? 0 : n % 2 ? figures[n / 2] : (figures[n / 2 - 1] + figures[n / 2]) / 2;
}

// Runs command in folder and waits; the time it took, or what it printed when out is given.
inline double Run(const std::string& folder, std::string command, std::string* out = nullptr)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    CreatePipe(&read, &write, &inherit, 0);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;  // a report read from a pipe: no console to fill
    startup.hStdOutput = write;
    PROCESS_INFORMATION process = {};
    const auto start = Clock::now();
    const bool started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE,
                                        DETACHED_PROCESS, nullptr, folder.c_str(), &startup,
                                        &process);
    CloseHandle(write);
    std::string printed;
    char buffer[4096];
    DWORD n = 0;
    while (started && ReadFile(read, buffer, sizeof buffer, &n, nullptr) && n > 0)
        printed.append(buffer, n);
    CloseHandle(read);
    if (!started)
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    const auto end = Clock::now();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (out)
        *out = printed;
    return Ms(end - start);
}

inline std::string ThisProgram()
{
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, n < sizeof path ? n : 0);
}
