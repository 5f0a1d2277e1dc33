// The cached pass that talmor_startcache opens: while it is open, what the store reads (the
// device table, login control files) is read once and kept; answers are the same without it.
#pragma once

void OpenCachePass();
void CloseCachePass();
// Changes whenever a pass opens or closes; 0 while none is open. Readers keep what they cached
// together with the generation they read it in.
unsigned CacheGeneration();
