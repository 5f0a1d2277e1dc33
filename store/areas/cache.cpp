#include "areas/cache.h"
#include "category_store.h"

#include "servers/thread_table.h"

namespace {
CThreadTable<CCachePass> g_passes;
}  // namespace

void OpenCachePass()
{
    // A second start on the same thread begins afresh.
    g_passes.Drop();
    g_passes.Get();
}

void CloseCachePass()
{
    g_passes.Drop();
}

CCachePass* CurrentCachePass()
{
    return g_passes.Find();
}
