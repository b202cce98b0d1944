// The grid cache of the Simpson helpers. A grid is the sequence of whole panels that every
// walk from one start point in one direction passes through; for a (density, parameters,
// start, direction) it keeps the walk's state every few panels, so that a call resumes the
// walk from the latest saved state on its path instead of from the start. The states are
// those of the walk itself, so results are bit for bit those of a walk from the start.
// Densities are pure functions of (parameters, x): long stretches of a grid evaluate them on
// two threads.
#include <algorithm>
#include <list>
#include <memory>
#include <mutex>
#include <vector>

#include "Grid.h"

namespace simpson {
namespace {

// Stretches of at least this many panels are evaluated on two threads, at most BatchPanels
// at a time.
constexpr long long ParallelPanels = 4096;
constexpr long long BatchPanels = 1 << 18;
// The cache's lock guards the list of grids, the byte count and every grid's `counted` and
// `evicted`; a grid's own lock guards the rest of it. The order is grid, then cache.
class Cache {
public:
    std::mutex lock;
    bool enabled = true;

    // Under the cache's lock: the grid for the key, made (without its start) when absent;
    // most recent first.
    std::shared_ptr<Grid> Find(const TIntegrand& f, const TVector& params, double from, double h)
    {
        const ReadParams read(f.facts, params);
        for (auto it = grids_.begin(); it != grids_.end(); ++it) {
            if ((*it)->Matches(f, read, from, h)) {
                grids_.splice(grids_.begin(), grids_, it);
                return grids_.front();
            }
        }
        auto grid = std::make_shared<Grid>();
        grid->f = f;
        grid->params.assign(read.data, read.data + read.size);
        grid->from = from;
        grid->h = h;
        grid->counted = grid->Bytes();
        bytes_ += grid->counted;
        grids_.push_front(grid);
        Trim(*grid);
        return grid;
    }

    // Under the grid's lock: its start state and zero tail, formed by the first call.
    void Start(Grid& g)
    {
        if (g.started)
            return;
        g.zero = ZeroTailOf(g.f, g.params, g.h);
        g.points.reserve(64);
        g.points.push_back({StartState(g.f.density, g.params, g.from), -HUGE_VALL});
        g.started = true;
        std::lock_guard<std::mutex> guard(lock);
        Account(g);
    }

    // Adds one block of Spacing panels to the grid; false when it cannot grow.
    bool Grow(Grid& g)
    {
        if (g.closed)
            return false;
        double at[2 * Spacing], f[2 * Spacing];
        if (g.points.back().s.index >= MaxExactPanels || Positions(g, at, Spacing) < Spacing) {
            g.closed = true;
            return false;
        }
        const int raised = FloatErrorsOf([&] {
            for (int i = 0; i < 2 * Spacing; ++i)
                f[i] = g.f.density(g.params, at[i]);
        });
        if (raised) {
            g.closed = true;
            return false;
        }
        return Append(g, at, f, Spacing);
    }

    // Grows the grid by up to `panels` whole panels, at least one block. A long stretch has
    // its density values computed by two threads (the densities are pure functions, so the
    // values are the same), then its sums in order, as block by block.
    bool GrowBy(Grid& g, long long panels)
    {
        if (g.closed)
            return false;
        panels = std::min({panels, MaxExactPanels - g.points.back().s.index, BatchPanels});
        // The first block on this thread: a density that fails from the start (an overflow
        // of its degrees of freedom, say) fails here, before a stretch is evaluated.
        if (panels < ParallelPanels || g.points.size() == 1)
            return Grow(g);
        std::vector<double> at(2 * panels);
        const long long count = Positions(g, at.data(), panels) / Spacing * Spacing;
        if (count < ParallelPanels)
            return Grow(g);
        std::vector<double> f(2 * count);
        if (EvaluateInParallel(g, at.data(), f.data(), 2 * count))
            return Append(g, at.data(), f.data(), count);
        // An error flag was raised somewhere in the stretch: block by block on this thread
        // grows the grid up to the block that raises it, and closes it there.
        for (long long block = 0; block < count; block += Spacing)
            if (!Grow(g))
                return block > 0;
        return true;
    }

    void SetLimit(std::size_t bytes)
    {
        limit_ = bytes;
        Clear();
    }
    std::size_t Bytes() const { return bytes_; }
    void Clear()
    {
        for (const std::shared_ptr<Grid>& g : grids_)
            g->evicted = true;
        grids_.clear();
        bytes_ = 0;
    }

private:
    // Adds the states of `count` whole panels (a multiple of Spacing) whose densities are
    // known, forming the running sums exactly as the walk does. A block whose sums raise a
    // floating-point error, or that finds no room, is not kept and closes the grid; the
    // flags are put back as they were: a walk that really reaches that point does the same
    // work and meets the same end itself.
    bool Append(Grid& g, const double* at, const double* f, long long count)
    {
        Checkpoint c = g.points.back();
        WalkState& s = c.s;
        const double h = g.h;
        for (long long block = 0; block < count; block += Spacing) {
            if (!Room(g)) {
                g.closed = true;
                return block > 0;
            }
            const int raised = FloatErrorsOf([&] {
                for (long long j = block; j < block + Spacing; ++j) {
                    const double f1 = f[2 * j], fm = f[2 * j + 1];
                    const long double q = 4.0L * fm + s.f + f1;
                    s.S = static_cast<double>(s.S + q * (h * OneSixth));
                    const double P = static_cast<double>(q * (std::fabs(h) * OneSixth));
                    c.maxB = std::max(c.maxB, static_cast<long double>(s.A) + P);
                    s.A = s.A + P;
                    s.f = f1;
                    s.x = at[2 * j];
                    ++s.index;
                }
                Settle(c.maxB);
                Settle(s.S);
                Settle(s.A);
            });
            if (raised) {
                g.closed = true;
                return block > 0;
            }
            g.points.push_back(c);
            if (g.keepsValues)
                g.values.insert(g.values.end(), f + 2 * block, f + 2 * (block + Spacing));
            std::lock_guard<std::mutex> guard(lock);
            Account(g);
        }
        return true;
    }

    // Under the cache's lock: the byte count follows g's size, while the cache holds g.
    void Account(Grid& g)
    {
        if (g.evicted)
            return;
        const std::size_t now = g.Bytes();
        bytes_ = bytes_ - g.counted + now;
        g.counted = now;
    }

    // Makes room for one more block of g: its saved state (a doubling of the array when it is
    // full) and, while g keeps them, its densities, dropping least recently used grids. When
    // g alone would pass the bound it gives up its densities; false when even its saved states
    // would.
    bool Room(Grid& g)
    {
        std::lock_guard<std::mutex> guard(lock);
        if (g.evicted)
            return false;
        for (;;) {
            const std::size_t points =
                g.points.size() < g.points.capacity() ? 0 : g.points.capacity() * sizeof(Checkpoint);
            std::size_t values = 0;
            if (g.keepsValues && g.values.size() + 2 * Spacing > g.values.capacity()) {
                values = std::max<std::size_t>(g.values.capacity(), 32 * Spacing) * sizeof(double);
            }
            Trim(g, points + values);
            if (bytes_ + points + values <= limit_) {
                if (values)
                    g.values.reserve(g.values.capacity() + values / sizeof(double));
                Account(g);
                return true;
            }
            if (!g.keepsValues)
                return false;
            std::vector<double>().swap(g.values);  // kept: the saved states alone
            g.keepsValues = false;
            Account(g);
        }
    }

    // Drops least recently used grids other than `keep` until `extra` more bytes fit.
    void Trim(const Grid& keep, std::size_t extra = 0)
    {
        while (bytes_ + extra > limit_) {
            auto victim = grids_.end();
            for (auto it = grids_.begin(); it != grids_.end(); ++it)
                if (it->get() != &keep)
                    victim = it;
            if (victim == grids_.end())
                return;
            bytes_ -= (*victim)->counted;
            (*victim)->evicted = true;
            grids_.erase(victim);
        }
    }

    std::list<std::shared_ptr<Grid>> grids_;
    std::size_t bytes_ = 0;
    std::size_t limit_ = DefaultGridCacheLimit;
};

Cache& TheCache()
{
    static Cache cache;
    return cache;
}

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

// Runs find(cache, grid), which gives the index of the saved state to start from, on the
// key's grid under the grid's own lock; with the cache off, the walk starts at From.
template <class Find>
GridStart FromGrid(const TIntegrand& f, const TVector& params, double From, double h, Find find)
{
    Cache& cache = TheCache();
    std::shared_ptr<Grid> grid;
    {
        std::lock_guard<std::mutex> guard(cache.lock);
        if (cache.enabled)
            grid = cache.Find(f, params, From, h);
    }
    if (!grid)
        return GridStart{StartState(f.density, params, From), {}, false, ZeroTailOf(f, params, h)};
    std::lock_guard<std::mutex> growing(grid->growing);
    cache.Start(*grid);
    return StartAt(*grid, find(cache, *grid));
}
}  // namespace

GridStart CachedIntegralStart(const TIntegrand& f, const TVector& params, double From,
                              double To, double h)
{
    return FromGrid(f, params, From, h, [&](Cache& cache, Grid& g) {
        // The walk takes whole panels while To is at least a step ahead.
        const auto ahead = [&](const Checkpoint& c) { return Ahead(h, To, c.s.x) >= std::fabs(h); };
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
    return FromGrid(f, params, From, h, [&](Cache& cache, Grid& g) {
        // The walk has accepted every panel so far (none passed Target) and Limit is still
        // more than a step ahead.
        const auto reached = [&](const Checkpoint& c) {
            return c.maxB <= Target && Ahead(h, Limit, c.s.x) > std::fabs(h);
        };
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
        return LastWhere(g.points, reached);
    });
}

void SetGridCacheEnabled(bool enabled)
{
    Cache& cache = TheCache();
    std::lock_guard<std::mutex> guard(cache.lock);
    cache.enabled = enabled;
}

void SetGridCacheLimit(std::size_t bytes)
{
    Cache& cache = TheCache();
    std::lock_guard<std::mutex> guard(cache.lock);
    cache.SetLimit(bytes);
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
}

}  // namespace simpson
