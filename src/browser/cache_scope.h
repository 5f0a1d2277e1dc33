// One cached pass of the category store for the length of a scope: opened when constructed,
// closed when destroyed, however the scope ends.
#pragma once

#include "external/talmor.h"

class CCacheScope {
public:
    CCacheScope() { talmor_startcache(); }
    ~CCacheScope() { talmor_stopcache(); }
    CCacheScope(const CCacheScope&) = delete;
    CCacheScope& operator=(const CCacheScope&) = delete;
};
