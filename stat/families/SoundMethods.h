// What the families' sound methods share: values stored as doubles without an error flag,
// the standard normal's tails and quantile, the incomplete gamma and Beta functions, and the
// guarded Newton search of a quantile on a tail. Each family's own sound functions stand in its
// file beside its listed ones, or in a file of their own beside it (ChiStudentSound.cpp,
// FBetaSound.cpp); TrueValues decides per call which result a user reads.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

#include "StatInternal.h"

// An extended value as a double, raising no flag: beyond the double range it is the infinity
// of its sign (a true value the doubles cannot hold), below half the smallest subnormal 0.
inline double SoundDouble(L v)
{
    constexpr double Infinity = std::numeric_limits<double>::infinity();
    if (v > DBL_MAX)
        return Infinity;
    if (v < -DBL_MAX)
        return -Infinity;
    return StoreDouble(v);
}

// e^v, an infinity where it leaves the extended range (raising no overflow flag).
inline L SoundExp(L v)
{
    return v > 11356 ? HUGE_VALL : std::exp(v);
}

// A probability as a double inside [0, 1].
inline double SoundProbability(L v)
{
    return v <= 0 ? 0.0 : v >= 1 ? 1.0 : StoreDouble(v);
}

// ---- Kinds whose upper tail is exp(-H(x)) ------------------------------------------------------
// The exponential, Rayleigh, Weibull and Pareto distributions have a cumulative hazard H in
// closed form: both tails come from it without forming 1 minus the other, and both quantiles
// from its inverse at -ln(1 - p) or -ln q, each formed where it keeps its digits.
inline double HazardLower(L h)
{
    return SoundProbability(-std::expm1(-h));
}
inline double HazardUpper(L h)
{
    return SoundProbability(std::exp(-h));
}
// ln P(X <= x) = ln(1 - e^-h) from ln h, with its digits where h is tiny (and h below the
// extended range).
inline L LogHazardLower(L logH)
{
    return logH < -20 ? logH - std::exp(logH) / 2 : std::log(-std::expm1(-std::exp(logH)));
}
// The hazard where P(X <= x) = p, and where P(X > x) = q.
inline L HazardOfLower(double p)
{
    return -std::log1p(-L(p));
}
inline L HazardOfUpper(double q)
{
    return q <= 0.5 ? -std::log(L(q)) : -std::log1p(-(1 - L(q)));
}

// ---- The standard normal -------------------------------------------------------------------
// P(Z <= z) and P(Z > z), each with its own relative precision; the density.
L NormalLowerTail(L z);
L NormalUpperTail(L z);
// ln P(Z > z), beyond the extended range too (Laplace's asymptotic series above z = 100).
L NormalLogUpperTail(L z);
L NormalDensityAt(L z);
// The z with P(Z <= z) = p for p in (0, 1), and the z with P(Z > z) = q: exact at 1/2.
L NormalQuantile(L p);
L NormalUpperQuantile(L q);

// ---- Gamma and Beta --------------------------------------------------------------------------
// The regularised incomplete gamma functions P(a, x) and Q(a, x) = 1 - P(a, x), each with its
// own relative precision, for a > 0 and x >= 0.
struct TTails {
    L lower, upper;
};
TTails IncompleteGamma(L a, L x);
// Their natural logarithms, the smaller one's relative precision kept far below the doubles
// (ln Q(2, 1e5) = -99988.5).
TTails LogIncompleteGamma(L a, L x);
// ln(x^a e^-x / Gamma(a)), formed without the cancellation of its terms for large a.
L LogGammaKernel(L a, L x);
// The same for one a at many x, its parts of a alone formed once (the same bits).
class TGammaKernel {
public:
    explicit TGammaKernel(L a);
    L operator()(L x) const;

private:
    L a_, first_, second_;
};
// The t > 0 where P(a, t) (or, where `upper`, Q(a, t)) is target, for target in (0, 1): from
// Wilson and Hilferty's cube root of a chi-square of 2a degrees of freedom, or the power law
// P(a, t) ~ t^a / Gamma(a + 1) far below, by SolveTail.
L GammaQuantile(L a, bool upper, L target);

// ln B(a, b) and the regularised incomplete Beta function I_x(a, b), for a, b > 0, x in
// [0, 1] and y = 1 - x (given by the caller, who often knows it exactly).
L LogBeta(L a, L b);
L RegularisedBeta(L a, L b, L x, L y);
// The same for x, y > 0 with the logarithms of x and y given as the function forms them: of an
// end at most 1/2 its own logarithm, of the other log1p of minus the first end (a caller who
// has them at hand, such as a search that also forms the density there).
L RegularisedBeta(L a, L b, L x, L y, L logX, L logY);

// ---- Quantiles by search -----------------------------------------------------------------------
// The x in (lo, hi) where a tail reaches `target`: the lower tail F (increasing) or, when
// `upper`, the upper tail S (decreasing), with the density f = F'. Newton steps on the
// logarithm of the tail from `guess` (in the logarithm of x too where the support is positive,
// which finds a power law's root in one step), kept inside a bracket that every evaluation
// narrows; a step that leaves the bracket halves it instead (geometrically where it spans
// orders of magnitude, or reaches to 0). Ends at the point the doubles resolve, or after the
// Newton step whose quadratic convergence puts it there. `keepGuess`: a guess whose first
// Newton step moves it by at most this much relative to itself is given back as it stands
// (a caller who only asks whether the guess lies that near; 0: never). `slope`: where given,
// the slope of ln f, which turns each Newton step into Halley's (cubic convergence) once it
// is small; the step's second derivative is then at hand, since with h the log tail in the
// search's variable, h'' / h' = x (ln f)' - h' + 1 in ln x and (ln f)' - h' in x.
struct NoSlope {};
template <class Tail, class Density, class Slope = NoSlope>
L SolveTail(Tail tail, Density density, bool upper, L target, L lo, L hi, L guess, L keepGuess = 0,
            Slope slope = {})
{
    const L logTarget = std::log(target);
    const bool positive = lo >= 0;
    // Whether the root lies above x: the tail has not yet reached the target there.
    const auto below = [&](L t) { return upper ? t > target : t < target; };
    L x = guess > lo && guess < hi ? guess : (lo > 0 && std::isfinite(hi) ? std::sqrt(lo * hi) : (lo + hi) / 2);
    L lastMoved = 0;  // the last Newton step relative to its x (0: the last was no Newton step)
    for (int i = 0; i < 400; ++i) {
        const L t = tail(x);
        if (t == target)
            return x;
        (below(t) ? lo : hi) = x;
        L next = x;
        bool newton = false;
        const L f = density(x);
        // A density that vanishes beside its tail (far from the mode, below the long doubles'
        // normal range) gives no step: t / f would overflow (2^16000 times the log's at most
        // 2^14 stays below 2^16384).
        if (t > 0 && f > 0 && f > t * 0x1p-16000L) {
            const L step = (std::log(t) - logTarget) * t / f;  // in x, toward the root
            const bool inLog = positive && x > 0;
            // The Newton step in the search's variable, and h' there.
            L delta = inLog ? (std::fabs(step) < 700 * x ? step / x : std::copysign(L(700), step))
                            : step;
            if (!upper)
                delta = -delta;
            if constexpr (!std::is_same_v<Slope, NoSlope>) {
                if (std::fabs(delta) < (inLog ? 0.1L : 0.1L * std::fabs(x))) {
                    const L rate = (upper ? -f : f) / t * (inLog ? x : 1);
                    const L ratio = (inLog ? x * slope(x) + 1 : slope(x)) - rate;  // h'' / h'
                    const L halley = 1 + delta * ratio / 2;
                    if (halley > 0.5L && halley < 2)
                        delta /= halley;
                }
            }
            next = inLog ? x * std::exp(delta) : x + delta;
            newton = true;
        }
        // A Newton step below the doubles' resolution has converged, also where it lands on
        // the end of the bracket that x itself set (the logarithm of a tail one unit from the
        // target may equal the target's): halving toward the far end would only come back.
        const L moved = x != 0 ? std::fabs(next - x) / std::fabs(x) : next == 0 ? 0 : HUGE_VALL;
        if (i == 0 && newton && moved <= keepGuess)
            return x;
        if (newton && !(moved > 0x1p-56L))
            return next > lo && next < hi ? next : x;
        // Two Newton steps in a row converge quadratically: the error after this one is about
        // moved^3 / lastMoved^2, and once that lies far below the doubles' unit (2^-62 against
        // 2^-53) the step is the last.
        if (newton && lastMoved > 0 && moved <= 0x1p-26L && next > lo && next < hi &&
            moved * moved * moved <= lastMoved * lastMoved * 0x1p-66L)
            return next;
        lastMoved = newton ? moved : 0;
        if (!(next > lo && next < hi)) {
            if (!std::isfinite(hi))
                next = lo > 0 ? lo * 16 : (lo < 0 ? lo / 16 : 1);
            else if (!std::isfinite(lo))
                next = hi < 0 ? hi * 16 : (hi > 0 ? hi / 16 : -1);
            else if (lo == 0 && hi > 0)
                next = hi * 0x1p-16L;
            else if (lo > 0 && hi > 4 * lo)
                next = std::sqrt(lo * hi);
            else if (hi < 0 && lo < 4 * hi)
                next = -std::sqrt(lo * hi);
            else
                next = lo + (hi - lo) / 2;
        }
        if (std::fabs(next - x) <= std::fabs(x) * 0x1p-56L || next == lo || next == hi)
            return next;
        x = next;
    }
    return x;
}
