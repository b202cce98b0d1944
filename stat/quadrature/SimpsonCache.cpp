// The grid cache of the Simpson helpers. A grid is the sequence of whole panels that every
// walk from one start point in one direction passes through; for a (density, parameters,
// start, direction) it keeps the walk's state every few panels, so that a call resumes the
// walk from the latest saved state on its path instead of from the start. The states are
// those of the walk itself, so results are bit for bit those of a walk from the start.
// Densities are pure functions of (parameters, x): long stretches of a grid evaluate them on
// two threads.
#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

#include "Grid.h"
#include "GridCache.h"
#include "GridStore.h"

namespace simpson {
using store::Cache;
using store::ParallelPanels;
using store::TheCache;
namespace {

// The largest index m with pred(points[m]), where pred holds on a prefix of the points;
// `guess` is tried first.
template <class Pred>
std::size_t LastWhere(const std::vector<Checkpoint>& points, Pred pred, std::size_t guess = 0)
{
    if (guess < points.size() && pred(points[guess]) &&
        (guess + 1 == points.size() || !pred(points[guess + 1])))
        return guess;
    std::size_t lo = 0, hi = points.size();  // pred holds below lo; fails from hi on
    while (hi - lo > 1) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (pred(points[mid]))
            lo = mid;
        else
            hi = mid;
    }
    return lo;
}
}  // namespace

WalkState StartState(TDistHandler density, const TVector& params, double From)
{
    WalkState s;
    s.x = From;
    s.f = density(params, From);
    StopOnFloatError();
    return s;
}

namespace {
// How far `to` lies ahead of x in the walk's direction, in extended precision.
long double Ahead(double h, double to, double x)
{
    return h > 0 ? to - static_cast<long double>(x) : x - static_cast<long double>(to);
}

// The call's start: the saved state at `point` and the densities the grid knows after it.
GridStart StartAt(const Grid& g, std::size_t point)
{
    GridStart start;
    start.cached = true;
    start.zero = g.zero;
    start.s = g.points[point].s;
    start.known.from = start.s.index;
    const long long stored = static_cast<long long>(g.values.size() / 2) - start.s.index;
    start.known.panels = static_cast<int>(std::clamp<long long>(stored, 0, Spacing));
    std::copy_n(g.values.begin() + 2 * start.s.index, 2 * start.known.panels, start.known.f);
    return start;
}

// A thread's own copies of the saved states and densities of the two grids it used last,
// taken when a call found all it needed in one without growing it: the next calls on the
// thread that need nothing beyond a copy read it without a lock (two threads of a bulk
// generation would otherwise wait on each other at every call). Two, for a quantile search
// and the integral beside it. A grid's states are a function of its key, so a copy answers as
// the grid does; it serves only in the cache generation it was taken in (a cleared cache is
// cold for every thread), and only grids up to CopyBytes are copied, when one of the last two
// calls that took the lock found the same grid.
constexpr std::size_t CopyBytes = 4u << 20;

struct GridCopy {
    std::unique_ptr<Grid> grid;
    unsigned long generation = 0;
};

thread_local GridCopy TheCopies[2];
thread_local int LastCopyUsed = 0;

// Runs find(grid), which gives the index of the saved state to start from, on the key's grid:
// on one of this thread's copies when it matches and covered(copy) says the call needs
// nothing beyond it (or the grid grows no further: the call finds what the grid has), else on
// the cache's grid under the grid's own lock (growing it as the call needs); with the cache
// off, the walk starts at From.
template <class Covered, class Find>
GridStart FromGrid(const TIntegrand& f, const TVector& params, double From, double h,
                   Covered covered, Find find)
{
    Cache& cache = TheCache();
    if (!cache.enabled)
        return GridStart{StartState(f.density, params, From), {}, false, ZeroTailOf(f, params, h)};
    const unsigned long now = cache.generation.load(std::memory_order_acquire);
    const ReadParams read(f.facts, params);
    for (int i = 0; i < 2; ++i) {
        const GridCopy& copy = TheCopies[i];
        if (copy.grid && copy.generation == now && copy.grid->Matches(f, read, From, h) &&
            (covered(*copy.grid) || copy.grid->closed)) {
            LastCopyUsed = i;
            return StartAt(*copy.grid, find(cache, *copy.grid));
        }
    }
    std::shared_ptr<Grid> grid;
    unsigned long generation;
    {
        std::lock_guard<std::mutex> guard(cache.lock);
        if (!cache.enabled)
            return GridStart{StartState(f.density, params, From), {}, false, ZeroTailOf(f, params, h)};
        grid = cache.Find(f, params, From, h);
        generation = cache.generation;
    }
    std::lock_guard<std::mutex> growing(grid->growing);
    cache.Start(*grid);
    const std::size_t before = grid->points.size();
    const std::size_t point = find(cache, *grid);
    // Copied when one of the last two calls that took the lock found it too, and the copy
    // would have served this call: calls that cycle through many grids, or that a copy would
    // not serve, copy nothing.
    thread_local const Grid* lastFound[2] = {nullptr, nullptr};
    const bool again = lastFound[0] == grid.get() || lastFound[1] == grid.get();
    lastFound[1] = lastFound[0];
    lastFound[0] = grid.get();
    if (again && grid->points.size() == before && (covered(*grid) || grid->closed) &&
        grid->Bytes() <= CopyBytes) {
        // Into the copy of the same key, else the one not used last.
        int slot = 1 - LastCopyUsed;
        for (int i = 0; i < 2; ++i)
            if (TheCopies[i].grid && TheCopies[i].grid->Matches(f, read, From, h))
                slot = i;
        GridCopy& copy = TheCopies[slot];
        if (!copy.grid)
            copy.grid = std::make_unique<Grid>();
        Grid& c = *copy.grid;
        c.f = grid->f;
        c.params = grid->params;
        c.from = grid->from;
        c.h = grid->h;
        c.points = grid->points;
        c.zero = grid->zero;
        c.values = grid->values;
        c.keepsValues = grid->keepsValues;
        c.closed = grid->closed;
        c.started = true;
        copy.generation = generation;
        LastCopyUsed = slot;
    }
    return StartAt(*grid, point);
}
}  // namespace

GridStart CachedIntegralStart(const TIntegrand& f, const TVector& params, double From,
                              double To, double h)
{
    // The walk takes whole panels while To is at least a step ahead.
    const auto ahead = [&](const Checkpoint& c) { return Ahead(h, To, c.s.x) >= std::fabs(h); };
    const auto covered = [&](const Grid& g) { return !ahead(g.points.back()); };
    return FromGrid(f, params, From, h, covered, [&](Cache& cache, Grid& g) {
        // The panels still needed to reach To are known: a long way grows in long stretches,
        // but not into a tail where the density is 0 (the walk ends there).
        const ZeroTail& zero = g.zero;
        const bool zeroAhead = zero.PathIsZero(g.points.back().s.x, To);
        while (!zeroAhead && ahead(g.points.back()) && !zero.Covers(g.points.back().s.x, To)) {
            const long double remaining = Ahead(h, To, g.points.back().s.x) / std::fabs(h);
            const long long needed = remaining < 1e18L ? static_cast<long long>(remaining) : 1LL << 62;
            if (!cache.GrowBy(g, needed))
                break;
        }
        // Saved states are Spacing whole panels apart from From: the one before To is known
        // but for the rounding of the positions, which the search makes good.
        // (Converted through a double, in range: an extended conversion to an integer changes
        // the x87 rounding mode, and an out-of-range one raises the overflow flag.)
        const long double panels = Ahead(h, To, From) / std::fabs(h) - 1;
        const std::size_t guess =
            panels >= 0 && panels < static_cast<long double>(g.points.size()) * Spacing
                ? static_cast<std::size_t>(static_cast<double>(panels) / Spacing)
                : 0;
        return LastWhere(g.points, ahead, guess);
    });
}

GridStart CachedInverseStart(const TIntegrand& f, const TVector& params, double From,
                             double Target, double Limit, double h)
{
    // The walk has accepted every panel so far (none passed Target) and Limit is still more
    // than a step ahead.
    const auto reached = [&](const Checkpoint& c) {
        return c.maxB <= Target && Ahead(h, Limit, c.s.x) > std::fabs(h);
    };
    const auto covered = [&](const Grid& g) { return !reached(g.points.back()); };
    return FromGrid(f, params, From, h, covered, [&](Cache& cache, Grid& g) {
        // Block by block, as far as the walk goes; a long way grows in stretches as long as
        // the way grown so far, so the cost stays in proportion to the span.
        const long long start = g.points.back().s.index;
        const ZeroTail& zero = g.zero;
        const bool zeroAhead = zero.PathIsZero(g.points.back().s.x, Limit);
        while (!zeroAhead && reached(g.points.back()) && !zero.Covers(g.points.back().s.x, Limit)) {
            const long long grown = g.points.back().s.index - start;
            if (!(grown < ParallelPanels ? cache.Grow(g) : cache.GrowBy(g, grown)))
                break;
        }
        // Successive targets on a thread are often near each other (a sorted slice): the
        // point the last one started from is tried first. LastWhere checks it, so a guess
        // from another grid that took its place changes nothing.
        thread_local const Grid* lastGrid = nullptr;
        thread_local std::size_t lastPoint = 0;
        const std::size_t point = LastWhere(g.points, reached, &g == lastGrid ? lastPoint : 0);
        lastGrid = &g;
        lastPoint = point;
        return point;
    });
}

void SetGridCacheEnabled(bool enabled)
{
    Cache& cache = TheCache();
    std::lock_guard<std::mutex> guard(cache.lock);
    cache.enabled = enabled;
    ++cache.generation;
}

void SetGridCacheLimit(std::size_t bytes)
{
    Cache& cache = TheCache();
    std::lock_guard<std::mutex> guard(cache.lock);
    cache.SetLimit(bytes);
    ++cache.generation;
}

std::size_t GridCacheBytes()
{
    Cache& cache = TheCache();
    std::lock_guard<std::mutex> guard(cache.lock);
    return cache.Bytes();
}

void ClearGridCache()
{
    Cache& cache = TheCache();
    std::lock_guard<std::mutex> guard(cache.lock);
    cache.Clear();
    ++cache.generation;
}

}  // namespace simpson
