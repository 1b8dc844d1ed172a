#pragma once

// The bytes of heap the process holds at this moment, counted at every
// allocation and release: the benchmarks replace the C library's allocation
// functions with ones that keep this count. Unlike the allocator's own
// statistics it does not depend on where a released block goes (a bin, a
// thread's arena, the top of the heap), so the difference between two
// readings is exactly what was allocated and not released in between, on any
// thread.
long long HeapBytesInUse();
