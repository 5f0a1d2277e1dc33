// Records and an edit race on one category run from many threads, through the store calls that
// store_forwarder binds.
#pragma once

#include "external/category_data.h"

#include <string>

CCategoryData MakeRecord(const std::string& name, const std::string& description);

// threads × rounds edits of category, each keeping the name and writing "tag thread round" as
// the description. Returns how many answers were not 1; the first of them goes to firstRefusal.
int RaceEdits(const char* device, const char* area, const char* category, const std::string& tag,
              int threads, int rounds, int& firstRefusal);

// True when text is a description that RaceEdits with one of tags and these counts writes.
bool IsRaceDescription(const std::string& text, const std::string& tags, int threads, int rounds);
