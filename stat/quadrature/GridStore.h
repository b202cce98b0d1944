// The store of the Simpson helpers' grid cache: the grids by key, most recent first, their
// growth, and the memory bound that drops the least recently used.
#pragma once

#include <algorithm>
#include <atomic>
#include <list>
#include <memory>
#include <mutex>
#include <vector>

#include "Grid.h"

namespace simpson {
namespace store {

// Stretches of at least this many panels are evaluated on two threads, at most BatchPanels
// at a time.
constexpr long long ParallelPanels = 4096;
constexpr long long BatchPanels = 1 << 18;
// The cache's lock guards the list of grids, the byte count and every grid's `counted` and
// `evicted`; a grid's own lock guards the rest of it. The order is grid, then cache.
class Cache {
public:
    std::mutex lock;
    std::atomic<bool> enabled{true};
    // Counts the clearings, bound changes and switches of the cache: a thread's copy of a
    // grid (see GridCopy) serves only in the generation it was taken in.
    std::atomic<unsigned long> generation{0};

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

inline Cache& TheCache()
{
    static Cache cache;
    return cache;
}

}  // namespace store
}  // namespace simpson
