// Guards for tests that switch the grid cache off or bound its memory: the cache is on again
// with its usual bound when the guard goes, whichever assertion failed on the way.
#pragma once

#include "GridCache.h"
#include "Stat_Lib.h"

struct GridCacheOff {
    GridCacheOff() { simpson::SetGridCacheEnabled(false); }
    ~GridCacheOff() { simpson::SetGridCacheEnabled(true); }
};

struct GridCacheBound {
    explicit GridCacheBound(std::size_t bytes) { simpson::SetGridCacheLimit(bytes); }
    ~GridCacheBound() { simpson::SetGridCacheLimit(simpson::DefaultGridCacheLimit); }
};
