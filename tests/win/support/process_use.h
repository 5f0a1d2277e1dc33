// What the test process holds right now: its windows, its GDI objects, its heap bytes in use.
#pragma once

#include <cstddef>

// Top-level windows of this process and all their children.
int WindowCount();

// GDI objects of this process, or -1 where they cannot be counted.
int GdiObjectCount();

// Bytes of busy blocks in all the process heaps, as HeapWalk sees them.
size_t HeapBytesInUse();
