// The exports of our store and lookup libraries, as a test calls them from the libraries it
// loaded, and an edit race on one category run from many threads.
#pragma once

#include "external/category_data.h"
#include "framework/cstringlist.h"

#include <windows.h>

#include <string>

struct CStoreCalls {
    void(__cdecl* startcache)() = nullptr;
    void(__cdecl* stopcache)() = nullptr;
    int(__cdecl* isAreaReadonly)(const char*, const char*) = nullptr;
    int(__cdecl* checkTrailer)(char*, int, int*, int*, int*) = nullptr;
    int(__cdecl* retrieveCategory)(const char*, const char*, const char*, CCategoryData*) = nullptr;
    int(__cdecl* newCategory)(const char*, const char*, const char*, CCategoryData*) = nullptr;
    int(__cdecl* editCategory)(const char*, const char*, const char*, CCategoryData*) = nullptr;
    int(__cdecl* deleteCategory)(const char*, const char*, const char*) = nullptr;
    void(__cdecl* storeFailedConnections)(CStringList&) = nullptr;
    const char*(__cdecl* listFirstDevice)(const char*, int) = nullptr;
    const char*(__cdecl* listNextDevice)() = nullptr;
    const char*(__cdecl* listFirstArea)(const char*) = nullptr;
    const char*(__cdecl* listNextArea)() = nullptr;

    // False when a library or one of its exports is missing. orvent may be null.
    bool Load(HMODULE talmor, HMODULE orvent);
};

CCategoryData MakeRecord(const std::string& name, const std::string& description);

// threads × rounds edits of category, each keeping the name and writing "tag thread round" as
// the description. Returns how many answers were not 1; the first of them goes to firstRefusal.
int RaceEdits(const CStoreCalls& store, const char* device, const char* area,
              const char* category, const std::string& tag, int threads, int rounds,
              int& firstRefusal);

// True when text is a description that RaceEdits with one of tags and these counts writes.
bool IsRaceDescription(const std::string& text, const std::string& tags, int threads, int rounds);
