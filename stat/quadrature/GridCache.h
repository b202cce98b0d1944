// The grid cache's switches: on or off (the plain walk, for comparisons), its memory bound,
// what it holds, and emptying it. Tests and benchmarks set them; the library never does.
#pragma once

#include <cstddef>

namespace simpson {

// With the cache off every walk starts at From (the plain walk, for comparisons).
void SetGridCacheEnabled(bool enabled);
// Memory bound of the cache in bytes (DefaultGridCacheLimit unless changed) and what it holds
// now.
constexpr std::size_t DefaultGridCacheLimit = 64u << 20;
void SetGridCacheLimit(std::size_t bytes);
std::size_t GridCacheBytes();
void ClearGridCache();

}  // namespace simpson
