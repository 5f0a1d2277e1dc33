#include "store_calls.h"

#include "external/talmor.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

CCategoryData MakeRecord(const std::string& name, const std::string& description)
{
    CCategoryData record = {};
    strncpy(record.name, name.c_str(), sizeof record.name - 1);
    strncpy(record.description, description.c_str(), sizeof record.description - 1);
    return record;
}

int RaceEdits(const char* device, const char* area, const char* category, const std::string& tag,
              int threads, int rounds, int& firstRefusal)
{
    std::atomic<int> refusals{0};
    std::atomic<int> first{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([&, t] {
            for (int r = 0; r < rounds; ++r) {
                CCategoryData record = MakeRecord(
                    category, tag + " " + std::to_string(t) + " " + std::to_string(r));
                const int code = talmor_EditCategory(device, area, category, &record);
                if (code != 1) {
                    int none = 0;
                    first.compare_exchange_strong(none, code);
                    ++refusals;
                }
            }
        });
    for (std::thread& w : workers)
        w.join();
    firstRefusal = first;
    return refusals;
}

bool IsRaceDescription(const std::string& text, const std::string& tags, int threads, int rounds)
{
    char tag = 0;
    int thread = -1, round = -1, end = 0;
    return sscanf(text.c_str(), "%c %d %d%n", &tag, &thread, &round, &end) == 3 &&
           size_t(end) == text.size() && tags.find(tag) != std::string::npos && thread >= 0 &&
           thread < threads && round >= 0 && round < rounds;
}
