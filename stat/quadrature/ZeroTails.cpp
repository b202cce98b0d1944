// Where a density is exactly 0, with no error flag, for the rest of a walk: decided in advance
// from the density's formula, so that the walks can end there with the same sums.
#include "SimpsonWalk.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace simpson {

namespace {
// Densities below e^-750 store as 0 (half the smallest double is about e^-745.1).
constexpr long double LogZero = -750;
constexpr long double LogNormalFactor = 2.506628274631L;  // the log-normal density's sqrt(2 pi)

// ln of the log-normal density (ro > 0) at x = e^t: a parabola in t, opening down.
long double LogNormalLog(long double mu, long double ro, long double t)
{
    const long double d = t - mu;
    return -(d * d) / (2 * ro * ro) - t - std::log(ro * LogNormalFactor);
}
}  // namespace

ZeroTail ZeroTailOf(TDistHandler density, const TVector& params, double h)
{
    const double d = h > 0 ? 1 : -1;
    const ZeroTail none{d * HUGE_VAL, d * HUGE_VAL, h};
    constexpr double Largest = std::numeric_limits<double>::max();
    if (density == NormalStdDensity)
        return {d * 40, d * Largest, h};  // 0.4 e^-800 < e^-750, and x^2 stays in range
    if (h < 0 || params.empty())
        return none;
    if (density == LogNormalDensity && params.size() >= 2) {
        // A negative ro gives the density's negative (exactly -0 in the tail): |ro| bounds it.
        const long double mu = params[0], ro = std::fabs(params[1]);
        if (!(ro > 0) || !std::isfinite(mu) || !std::isfinite(ro))
            return none;
        ZeroTail tail = none;
        tail.logNormal = true;
        tail.mu = mu;
        tail.ro = ro;
        // The mode, where a way through it is surely not 0 when its density stores as more.
        const long double mode = mu - ro * ro;
        if (mode > -745 && mode < 709 && LogNormalLog(mu, ro, mode) > LogZero)
            tail.peak = static_cast<double>(std::exp(mode));
        // With d = ln x - mu, ln f = -d^2 / (2 ro^2) - d - mu - ln(ro sqrt(2 pi)) falls for
        // d >= 0; it is below LogZero once d^2 / (2 ro^2) + d >= R, that is from d0 on. The
        // bound is formed in floating point: mu is kept small enough for mu + d0 to hold the
        // terms of R, and e^(mu + d0) within the doubles.
        if (std::fabs(mu) <= 10000) {
            const long double R = -LogZero - mu - std::log(ro * LogNormalFactor);
            const long double d0 = R <= 0 ? 0 : std::min(ro * std::sqrt(2 * R), R);
            if (mu + d0 < 709) {
                tail.from = static_cast<double>(std::exp(mu + d0) * (1 + 0x1p-40L));
                tail.to = Largest;
            }
        }
        return tail;
    }
    if (density == Chi2Density) {
        // ln f = (n/2 - 1) ln x - x/2 - (n/2) ln 2 - ln Gamma(n/2) falls from the mode n - 2
        // on; x0 lies within a unit beyond the point where ln f falls below LogZero. HalfPower
        // squares x up to x^(2^b), b the bit length of (n - 2)/2: it stays in the extended
        // range below e^(11000 / 2^b).
        const double whole = std::trunc(params[0]);
        if (!(whole >= 1 && whole <= 1023))
            return none;
        const long long n = static_cast<long long>(whole);
        const long double half = n / 2.0L;
        const long double logNorm = half * std::log(2.0L) + LogGamma(half);
        const auto logDensity = [&](long double x) { return (half - 1) * std::log(x) - x / 2 - logNorm; };
        long double x0 = 1;
        while (x0 < n - 2 || logDensity(x0) > LogZero)
            x0 *= 2;
        // Down to within a unit of the first point where it is.
        for (long double lo = std::max<long double>(x0 / 2, n - 2); x0 - lo > 1;) {
            const long double mid = (lo + x0) / 2;
            (logDensity(mid) > LogZero ? lo : x0) = mid;
        }
        int bits = 0;
        for (long long m = n >= 2 ? (n - 2) / 2 : 0; m > 0; m >>= 1)
            ++bits;
        const long double limit = 11000.0L / std::ldexp(1.0L, bits);
        if (!(std::log(x0) < limit))
            return none;
        const long double to = limit > 709 ? Largest : std::exp(limit);
        return {static_cast<double>(x0), static_cast<double>(to), h};
    }
    return none;
}

bool ZeroTail::PathIsZero(double x, double end) const
{
    if (Covers(x, end))
        return true;
    if (!logNormal || !(h > 0) || !(x >= 0) || !(end > x) || (x <= peak && peak <= end))
        return false;
    // Past the mode the density falls: the tail bound, where there is one, decides.
    if (peak >= 0 && x > peak && std::isfinite(from))
        return false;
    // The parabola's largest value on the way is at its top, or at the nearer end of the way
    // (the smallest positive double for a way from 0, where the density is 0).
    const long double lo = std::log(std::max(static_cast<long double>(x), 0x1p-1074L));
    const long double hi = std::log(static_cast<long double>(end));
    return LogNormalLog(mu, ro, std::clamp(mu - ro * ro, lo, hi)) < LogZero;
}

}  // namespace simpson
