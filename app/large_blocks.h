#pragma once
// Both qeltool executables map every block of a megabyte or more on its own, unmapped when freed.
// The allocator would otherwise raise that threshold after each large free (up to 32 MB) and keep
// the freed text of a long line in its heap, so a run's memory would pass its limit by what it
// once held.

#include <malloc.h>

namespace qel {

inline void mapLargeBlocksApart() { mallopt(M_MMAP_THRESHOLD, 1 << 20); }

} // namespace qel
