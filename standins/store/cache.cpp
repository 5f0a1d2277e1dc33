#include "cache.h"

namespace {
unsigned g_generation = 0;
unsigned g_lastGeneration = 0;
}  // namespace

void OpenCachePass()
{
    g_generation = ++g_lastGeneration;
}

void CloseCachePass()
{
    g_generation = 0;
    ++g_lastGeneration;
}

unsigned CacheGeneration()
{
    return g_generation;
}
