#pragma once

#include <cstddef>

// Memory of at least kHugePage bytes mapped by itself, on the bounds of huge
// pages, so that the system can back it with few huge pages rather than
// many small ones, each a fault when it is first touched.
inline constexpr size_t kHugePage = size_t{2} << 20;

// Starts on a multiple of Alignment, itself a multiple of kHugePage.
// Throws std::bad_alloc when the system has no room.
void* MapHugePages(size_t Bytes, size_t Alignment = kHugePage);
// Bytes as given to MapHugePages.
void UnmapHugePages(void* Memory, size_t Bytes);
