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
    std::map<std::string, Login> logins;                     // by LoginPath; else {1, 0}
    std::map<std::string, int> readonly;                     // by "device|area"; else 1
    // The category commands: what they answer, and what retrieve fills in.
    int newResult = 1, editResult = 1, retrieveResult = 1, deleteResult = 1;
    std::string retrievedName = "CAT", retrievedDescription = "described";
    bool retrieveFillsWholeFields = false;  // 'N' and 'D' to the last byte, no terminators

    int throwAfterEntries = -1;  // the lookup throws std::bad_alloc once this many entries were
                                 // listed, counting over all devices
    int listedEntries = 0;

    // What the browser did.
    // "ListFirstArea C:", "IsAreaReadonly 1 AREA1", "check PATH", "New 1|AREA1|CAT|SUB|text"
    std::vector<std::string> calls;
    int startcache = 0;
    int stopcache = 0;
    bool cacheOpenDuringCalls = true;  // every store call came inside a cached pass

    void Reset() { *this = FakeStore(); }
    bool Called(const std::string& call) const;
    // The calls of the category commands only (New, Retrieve, Edit, Delete), in order.
    std::vector<std::string> CategoryCalls() const;
};

FakeStore& Fake();
