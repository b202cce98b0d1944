// What the families' sound methods share: the incomplete Beta function and the bisection of
// an increasing distribution for its quantile. Each family's own sound functions stand in
// its file beside its listed ones; TrueValues decides per call which result a user reads.
#pragma once

#include <cstdint>
#include <cstring>

#include "StatInternal.h"

// ln B(a, b) and the regularised incomplete Beta function I_x(a, b), for a, b > 0, x in
// [0, 1] and y = 1 - x (given by the caller, who often knows it exactly).
L LogBeta(L a, L b);
L RegularisedBeta(L a, L b, L x, L y);

namespace sound {
inline std::uint64_t BitsOf(double x)
{
    std::uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

inline double DoubleOf(std::uint64_t b)
{
    double x;
    std::memcpy(&x, &b, sizeof x);
    return x;
}
}  // namespace sound

// The smallest x in [lo, hi] (0 <= lo < hi) with cdf(x) >= p, or hi when there is none, by
// bisection over the ordered bit patterns of the doubles: at most 64 steps at any scale.
template <class Cdf>
double SolveIncreasing(Cdf cdf, double p, double lo, double hi)
{
    if (cdf(hi) < p)
        return hi;
    std::uint64_t below = sound::BitsOf(lo), above = sound::BitsOf(hi);
    if (cdf(lo) >= p)
        return lo;
    while (above - below > 1) {
        const std::uint64_t mid = below + (above - below) / 2;
        (cdf(sound::DoubleOf(mid)) < p ? below : above) = mid;
    }
    return sound::DoubleOf(above);
}
