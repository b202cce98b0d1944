// Internals of the Simpson helpers: the walk of the 2^-10 grid from a saved state, the starts
// the grid cache finds for it, and the bounded continuation beyond the grid's span.
#pragma once

#include <cmath>
#include <cstddef>

#include "Integrand.h"

namespace simpson {

// The grid is walked exactly for at most this many whole panels (4096 units) from its start.
constexpr long long MaxExactPanels = 4096LL * 1024;

extern const long double OneSixth;

// The listed walks, plain: SimpsonIntegral and SimpsonInverse as their algorithm states them,
// every panel from From, evaluated on the calling thread.
double ListedIntegral(TDistHandler density, const TVector& params, double From, double To);
double ListedInverse(TDistHandler density, const TVector& params, double From, double Target,
                     double Limit);

// Where a walk stands after `index` whole panels: position, density there, and the running
// sums of the integral (S) and of the inverse (A).
struct WalkState {
    double x = 0;
    double f = 0;
    double S = 0;
    double A = 0;
    long long index = 0;
};

// Whole panels in a block of the grid: the grid saves a walk state every Spacing panels.
constexpr int Spacing = 8;

// Densities the grid already knows for the whole panels of a walk: for the panel that starts
// at index `from` + j, the value at its end is f[2j] and at its middle f[2j + 1], j < panels.
struct KnownDensities {
    double f[2 * Spacing];
    long long from = 0;
    int panels = 0;

    // The end and middle values of the whole panel starting at `index`, when known.
    bool Find(long long index, double& end, double& middle) const
    {
        const long long j = index - from;
        if (j < 0 || j >= panels)
            return false;
        end = f[2 * j];
        middle = f[2 * j + 1];
        return true;
    }
};

// Where a call resumes its walk: a saved state and the densities known after it; `cached`
// when it comes from the grid cache (with the cache off, walks are the plain ones); and where
// the density is 0 (formed once per grid).
struct GridStart {
    WalkState s;
    KnownDensities known;
    bool cached = false;
    ZeroTail zero;
};

// The parameters a density reads (its facts): parameter sets that agree there give the same
// densities, and share a grid.
struct ReadParams {
    const double* data;
    std::size_t size;
    double whole[2];

    ReadParams(const TDensityFacts& facts, const TVector& params);
    bool operator==(const TVector& p) const;
};


// Throws for a raised error flag. Callers settle the values whose flags they mean to test.
inline void StopOnFloatError()
{
    ThrowFloatError(RaisedFloatErrors());
}

enum class WalkEnd { Done, Continue };

// The integral walk towards To from s, exactly as from the start: whole panels, then the last
// shortened one; the densities `grid` knows are taken from there, and the walk ends where
// `zero` says the density is 0 for the rest of the way. Done: the integral is `result`.
// Continue: the exact span is used up (or a step no longer moves x); s is where the walk
// stopped.
WalkEnd IntegralWalk(const TIntegrand& f, const TVector& params, double To, double h,
                     const KnownDensities& grid, const ZeroTail& zero, WalkState& s,
                     double& result);

// The inverse walk from s, exactly as from the start, taking the densities `grid` knows; with
// `remember`, the points evaluated after halving the step are kept for a walk to the same
// target on this thread. Done: the point is `result`. Continue: as for the integral.
WalkEnd InverseWalk(const TIntegrand& f, const TVector& params, double Target, double Limit,
                    double h, const KnownDensities& grid, const ZeroTail& zero, bool remember,
                    WalkState& s, double& result);

// The end of an inverse walk from s that stops inside the next `span` (a whole step whose
// panel was rejected, or the whole steps the grid knows after a saved state), with the density
// fEnd at s.x + span, found from the area of the family's series. The walk's whole panels and
// halvings are a search for the last point of the smallest step's grid whose area stays
// within Target - A; its sums are that area within the roundings of a panel a step and of
// Simpson's rule, so where the area passes the target by more than those between that point
// and the next, every choice of the walk is known, and its point depends on its choices
// alone: `result` is that point, bit for bit. False, with nothing changed, where it is too
// close to call, lies beyond the span, or the walk would leave the common course (a creep of
// panels lost in A's rounding far in a tail, the limit within reach): the exact walk goes on.
bool DecidedHalvings(const TIntegrand& f, const TVector& params, double Target, double Limit,
                     const ZeroTail& zero, const WalkState& s, double span, double fEnd,
                     double& result);

// Beyond the exact span: the integral from `from` to `to` by adaptive Gauss-Kronrod rules on
// panels that double in width, with a bounded number of density evaluations.
long double ContinuedIntegral(TDistHandler density, const TVector& params, double from,
                              double to);

// Where a walk of whole steps h from x stops before Limit: the first point within one step of
// it (x itself when Limit is no more than a step ahead).
long double StopBeforeLimit(double x, double Limit, double h);

// Beyond the exact span: goes on accumulating area from s towards Limit; the point where
// the area reaches Target, or where the walk would stop at Limit.
double ContinuedInverse(TDistHandler density, const TVector& params, const WalkState& s,
                        double Target, double Limit, double h);

// The cached grids: the latest saved state that the walk from From passes on its way, and the
// densities the grid knows after it, the grid grown as far as the call needs. Safe for threads
// that use it one after the other.
GridStart CachedIntegralStart(const TIntegrand& f, const TVector& params, double From,
                              double To, double h);
GridStart CachedInverseStart(const TIntegrand& f, const TVector& params, double From,
                             double Target, double Limit, double h);

// The state of a walk that has not yet left From.
WalkState StartState(TDistHandler density, const TVector& params, double From);

}  // namespace simpson

