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
inline double OpenTime(vorlanx_browse_category_fn browse, const char* device, const char* area,
                       int* items = nullptr)
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
    return driver.Ran() ? Ms(up - start) : -1;
}

inline double Median(std::vector<double> figures)
{
    std::sort(figures.begin(), figures.end());
    const size_t n = figures.size();
    return n == 0 ? 0 : n % 2 ? figures[n / 2] : (figures[n / 2 - 1] + figures[n / 2]) / 2;
}
