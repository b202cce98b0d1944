// A grid of the Simpson helpers' cache: the saved walk states of one (density, parameters,
// start, direction), every Spacing whole panels, and how its densities are evaluated ahead of
// the walk (a long stretch on two threads: the densities are pure functions, so the values
// are the same).
#pragma once

#include <cstddef>
#include <cstring>
#include <mutex>
#include <vector>

#include "SimpsonWalk.h"

namespace simpson {

struct Checkpoint {
    WalkState s;
    long double maxB;  // the largest A + P the inverse tested on the panels before this state
};

struct Grid {
    TIntegrand f;    // the density and its facts
    TVector params;  // those the density reads
    double from;
    double h;
    std::vector<Checkpoint> points;
    ZeroTail zero;  // where the density is 0, in the grid's direction
    // The densities at the end and the middle of every whole panel, while the memory bound
    // leaves room for them; a grid too long for them keeps its saved states alone.
    std::vector<double> values;
    bool keepsValues = true;
    bool closed = false;  // grows no further: span cap, a step that does not move x, an error
    bool started = false;  // holds its start state and zero tail

    // Held by the thread that grows or reads the grid; the cache's own lock is not held while
    // densities are evaluated, so a density may itself integrate.
    std::mutex growing;
    // Under the cache's lock: the bytes the cache counts for the grid, and whether the cache
    // has dropped it (a thread still holding it finishes its call on it).
    std::size_t counted = 0;
    bool evicted = false;

    bool Matches(const TIntegrand& g, const ReadParams& p, double start, double step) const
    {
        return g.density == f.density && g.facts == f.facts && step == h &&
               std::memcmp(&start, &from, sizeof start) == 0 && p == params;
    }

    std::size_t Bytes() const
    {
        return sizeof(Grid) + params.capacity() * sizeof(double) +
               points.capacity() * sizeof(Checkpoint) + values.capacity() * sizeof(double);
    }
};

// Ends and middles of up to `panels` whole panels after the grid's last state, into at[];
// stops before a step that no longer moves x. Returns how many panels it placed.
long long Positions(const Grid& g, double* at, long long panels);

// f[i] = density(at[i]) for i < n, half on a second thread; false when an error flag was
// raised (the caller's flags are put back either way).
bool EvaluateInParallel(const Grid& g, const double* at, double* f, long long n);

}  // namespace simpson
