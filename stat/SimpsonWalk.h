// Internals of the Simpson helpers: the walk of the 2^-10 grid from a saved state, the grid
// cache that saves such states, and the bounded continuation beyond the grid's span.
#pragma once

#include <cmath>
#include <cstddef>

#include "StatInternal.h"

namespace simpson {

// The grid is walked exactly for at most this many whole panels (4096 units) from its start.
constexpr long long MaxExactPanels = 4096LL * 1024;

extern const long double OneSixth;

// Where a walk stands after `index` whole panels: position, density there, and the running
// sums of the integral (S) and of the inverse (A).
struct WalkState {
    double x = 0;
    double f = 0;
    double S = 0;
    double A = 0;
    long long index = 0;
};

// Throws for a raised error flag. Callers settle the values whose flags they mean to test.
inline void StopOnFloatError()
{
    ThrowFloatError(RaisedFloatErrors());
}

enum class WalkEnd { Done, Continue };

// The integral walk towards To from s, exactly as from the start: whole panels, then the last
// shortened one. Done: the integral is `result`. Continue: the exact span is used up (or a
// step no longer moves x); s is where the walk stopped.
WalkEnd IntegralWalk(TDistHandler density, const TVector& params, double To, double h,
                     WalkState& s, double& result);

// The inverse walk from s, exactly as from the start. Done: the point is `result`.
// Continue: as for the integral.
WalkEnd InverseWalk(TDistHandler density, const TVector& params, double Target, double Limit,
                    double h, WalkState& s, double& result);

// Beyond the exact span: the integral from `from` to `to` by adaptive Gauss-Kronrod rules on
// panels that double in width, with a bounded number of density evaluations.
long double ContinuedIntegral(TDistHandler density, const TVector& params, double from,
                              double to);

// Beyond the exact span: goes on accumulating area from s towards Limit; the point where
// the area reaches Target, or where the walk would stop at Limit.
double ContinuedInverse(TDistHandler density, const TVector& params, const WalkState& s,
                        double Target, double Limit, double h);

// The cached grids: the latest saved state that the walk from From passes on its way, the
// grid grown as far as the call needs. Safe for threads that use it one after the other.
WalkState CachedIntegralStart(TDistHandler density, const TVector& params, double From,
                              double To, double h);
WalkState CachedInverseStart(TDistHandler density, const TVector& params, double From,
                             double Target, double Limit, double h);

// The state of a walk that has not yet left From.
WalkState StartState(TDistHandler density, const TVector& params, double From);

// With the cache off every walk starts at From (the plain walk, for comparisons).
void SetGridCacheEnabled(bool enabled);
// Memory bound of the cache in bytes (DefaultGridCacheLimit unless changed) and what it holds
// now.
constexpr std::size_t DefaultGridCacheLimit = 64u << 20;
void SetGridCacheLimit(std::size_t bytes);
std::size_t GridCacheBytes();
void ClearGridCache();

}  // namespace simpson
