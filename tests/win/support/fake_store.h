// In-process fakes of the category store and the device lookup, for tests that need exact
// answers (1025, second = 13) or want to see which calls the browser made. A test links these
// instead of talmor.dll and ORVENT.dll.
#pragma once

#include <map>
#include <string>
#include <vector>

struct FakeStore {
    struct Login {
        int result = 1;
        int second = 0;
    };

    std::vector<std::string> devices;                        // as ListFirstDevice lists them
    std::map<std::string, std::vector<std::string>> areas;   // by device, in listing order
    std::map<std::string, Login> logins;                     // by login path; else {1, 0}
    std::map<std::string, int> readonly;                     // by "device|area"; else 1
    int throwAfterEntries = -1;  // the lookup throws std::bad_alloc once this many entries were
                                 // listed, counting over all devices
    int listedEntries = 0;

    // What the browser did.
    std::vector<std::string> calls;  // "ListFirstArea C:", "IsAreaReadonly 1 AREA1", "check PATH"
    int startcache = 0;
    int stopcache = 0;
    bool cacheOpenDuringCalls = true;  // every store call came inside a cached pass

    void Reset() { *this = FakeStore(); }
    bool Called(const std::string& call) const;
};

FakeStore& Fake();
