// The sound functions of the F and Beta distributions, through the incomplete Beta function:
// F's tails are I_u(n/2, m/2) and I_(1-u)(m/2, n/2) with u = n x / (n x + m), Beta's
// I_x(alpha, beta) and I_(1-x)(beta, alpha), each tail formed directly; quantiles by a search
// on the tail that holds p's digits (above 1/2, Beta's is 1 minus the mirrored Beta's).
#include "Beta.h"
#include "F.h"
#include "SoundMethods.h"

#include <limits>

namespace {
// A listed quantile that a search starts from is given back where the search's first Newton
// step moves it by at most this much relative: then it lies within 1e-9 of the quantile, the
// step's own error (its square times the tail's curvature, and the tail's rounding) being
// far below the margin left.
constexpr L KeptStart = 0.9e-9L;

struct FDegrees {
    L n, m;
};

FDegrees DegreesOf(const TVector& params)
{
    return {std::trunc(L(params[0])), std::trunc(L(params[1]))};
}

// One tail, P(X <= x) or P(X > x): u = n x / (n x + m) and 1 - u = m / (n x + m), each as its
// own quotient.
L FTail(const FDegrees& d, L x, bool upper)
{
    if (!(x > 0))
        return upper ? 1 : 0;
    if (std::isinf(x))
        return upper ? 0 : 1;
    const L whole = d.n * x + d.m, u = d.n * x / whole, rest = d.m / whole;
    return upper ? RegularisedBeta(d.m / 2, d.n / 2, rest, u) : RegularisedBeta(d.n / 2, d.m / 2, u, rest);
}

// The F density's parts that depend on the degrees alone, formed once for a search.
struct FDensityParts {
    L n, m, a, b, logBeta, logM, logNM;
};

FDensityParts PartsOf(const FDegrees& d)
{
    const L a = d.n / 2, b = d.m / 2;
    return {d.n, d.m, a, b, LogBeta(a, b), std::log(d.m), std::log(d.n * d.m)};
}

// The Beta density of u times du/dx = n m / (n x + m)^2; at 0 the limits: infinite for n = 1,
// 1 for n = 2, 0 above.
L FDensityAt(const FDensityParts& d, L x)
{
    if (x < 0 || std::isinf(x))
        return 0;
    if (x == 0)
        return d.n == 1 ? HUGE_VALL : d.n == 2 ? 1 : 0;
    const L whole = d.n * x + d.m, logWhole = std::log(whole);
    const L logU = std::log(d.n * x) - logWhole, logRest = d.logM - logWhole;
    return std::exp((d.a - 1) * logU + (d.b - 1) * logRest - d.logBeta + d.logNM - 2 * logWhole);
}

// From `start` where it is a positive number (a listed quantile), which is given back where it
// lies within KeptStart of the quantile; else from 1. The search asks for the tail and the
// density at each point it tries: both are formed from the same ln u and ln(1 - u), each taken
// as FTail takes it (so the tail is FTail's to the bit).
L FQuantile(const FDegrees& d, bool upper, L target, L start = 0)
{
    const FDensityParts parts = PartsOf(d);
    struct Logs {
        L x, whole, u, rest, ofU, ofRest;
    } at = {std::numeric_limits<L>::quiet_NaN(), 0, 0, 0, 0, 0};
    const auto logsAt = [&](L x) {
        if (!(at.x == x)) {
            const L whole = d.n * x + d.m, u = d.n * x / whole, rest = d.m / whole;
            at = {x, whole, u, rest, u <= 0.5L ? std::log(u) : std::log1p(-rest),
                  rest <= 0.5L ? std::log(rest) : std::log1p(-u)};
        }
        return at;
    };
    const auto inside = [](L x) { return x > 0 && !std::isinf(x); };
    const auto tail = [&](L x) {
        if (!inside(x))
            return FTail(d, x, upper);
        const Logs l = logsAt(x);
        return upper ? RegularisedBeta(parts.b, parts.a, l.rest, l.u, l.ofRest, l.ofU)
                     : RegularisedBeta(parts.a, parts.b, l.u, l.rest, l.ofU, l.ofRest);
    };
    // The Beta density of u times du/dx = n m / (n x + m)^2.
    const auto density = [&](L x) {
        if (!inside(x))
            return FDensityAt(parts, x);
        const Logs l = logsAt(x);
        return std::exp((parts.a - 1) * l.ofU + (parts.b - 1) * l.ofRest - parts.logBeta) *
               (parts.n * parts.m / (l.whole * l.whole));
    };
    // Quiet comparisons: a start that is no number is none.
    const bool started = std::isgreater(start, 0) && std::isfinite(start);
    return SolveTail(tail, density, upper, target, 0, HUGE_VALL, started ? start : 1,
                     started ? KeptStart : 0);
}

// ---- Beta -------------------------------------------------------------------------------------
struct BetaShapes {
    L alpha, beta;
};

BetaShapes ShapesOf(const TVector& params)
{
    return {params[0], params[1]};
}

// One tail: I_x(alpha, beta), or I_(1-x)(beta, alpha) for P(X > x).
L BetaTail(const BetaShapes& s, L x, bool upper)
{
    if (!(x > 0))
        return upper ? 1 : 0;
    if (!(x < 1))
        return upper ? 0 : 1;
    const L y = 1 - x;
    return upper ? RegularisedBeta(s.beta, s.alpha, y, x) : RegularisedBeta(s.alpha, s.beta, x, y);
}

L BetaDensityAt(const BetaShapes& s, L x)
{
    if (!(x > 0 && x < 1))
        return 0;
    return std::exp((s.alpha - 1) * std::log(x) + (s.beta - 1) * std::log1p(-x) -
                    LogBeta(s.alpha, s.beta));
}

// The x in (0, 1/2] with P(X <= x) = p and P(X > x) = q (p + q = 1), searched on the smaller
// tail, which holds its digits; from `start` where it lies inside (a listed quantile, given back
// where it lies within KeptStart of the quantile), else from the power law of the lower tail,
// or the mean when that lies below. The search asks for the tail and the density at each point it tries, in (0, 1/2):
// both are formed there from the same ln x and ln(1 - x) (as log1p(-x), which is how each
// forms it below 1/2), and from ln B(alpha, beta) formed once.
L BetaQuantileBelowHalf(const BetaShapes& s, L p, L q, L start)
{
    const bool upper = q < p;
    const L logBeta = LogBeta(s.alpha, s.beta);
    const L mean = s.alpha / (s.alpha + s.beta);
    const L power = std::exp((std::log(p) + std::log(s.alpha) + logBeta) / s.alpha);
    const bool started = std::isgreater(start, 0) && std::isless(start, 0.5L);
    const L guess = started ? start : std::min({power, mean, 0.5L});
    struct Logs {
        L x, ofX, ofRest;
    } at = {std::numeric_limits<L>::quiet_NaN(), 0, 0};
    const auto logsAt = [&](L x) {
        if (!(at.x == x))
            at = {x, std::log(x), std::log1p(-x)};
        return at;
    };
    const auto tail = [&](L x) {
        if (!(x > 0 && x < 0.5L))
            return BetaTail(s, x, upper);
        const Logs l = logsAt(x);
        const L y = 1 - x;
        return upper ? RegularisedBeta(s.beta, s.alpha, y, x, l.ofRest, l.ofX)
                     : RegularisedBeta(s.alpha, s.beta, x, y, l.ofX, l.ofRest);
    };
    const auto density = [&](L x) {
        if (!(x > 0 && x < 0.5L))
            return BetaDensityAt(s, x);
        const Logs l = logsAt(x);
        return std::exp((s.alpha - 1) * l.ofX + (s.beta - 1) * l.ofRest - logBeta);
    };
    return SolveTail(tail, density, upper, upper ? q : p, 0, 0.5L, guess, started ? KeptStart : 0);
}

// One tail at 1/2, which depends on the shapes alone: kept per thread for the latest shapes
// (quantiles of one distribution ask for it call after call). A kept value changes no result,
// and no flag: the tail raises none for the shapes served.
L TailAtHalf(const BetaShapes& s, bool upper)
{
    struct Kept {
        L alpha, beta, value;
    };
    constexpr L None = std::numeric_limits<L>::quiet_NaN();  // equal to no shape
    thread_local Kept kept[2] = {{None, None, 0}, {None, None, 0}};
    Kept& k = kept[upper];
    if (!(k.alpha == s.alpha && k.beta == s.beta))
        k = {s.alpha, s.beta, BetaTail(s, 0.5L, upper)};
    return k.value;
}

// The quantile where both tails are given (the smaller one exact). Above 1/2 it is 1 minus the
// mirrored one, so that its distance from 1 keeps its digits: the upper tail of
// Beta(alpha, beta) at x is the lower tail of Beta(beta, alpha) at 1 - x. `start`: where the
// search begins, if it lies on the quantile's side of 1/2 (0: nowhere given).
L BetaQuantile(const BetaShapes& s, L p, L q, L start = 0)
{
    // At most 1/2 when the tail at 1/2 holds the target; the smaller tail is the exact one.
    if (p <= q ? p <= TailAtHalf(s, false) : q >= TailAtHalf(s, true))
        return BetaQuantileBelowHalf(s, p, q, start);
    return 1 - BetaQuantileBelowHalf({s.beta, s.alpha}, q, p, 1 - start);
}
}  // namespace

double FSoundDensity(const TVector& params, double x)
{
    return SoundDouble(FDensityAt(PartsOf(DegreesOf(params)), x));
}

L FLogDensity(const TVector& params, double x)
{
    if (!(x > 0) || std::isinf(x))
        return -HUGE_VALL;
    const FDensityParts d = PartsOf(DegreesOf(params));
    const L whole = d.n * x + d.m, logWhole = std::log(whole);
    const L logU = std::log(d.n * x) - logWhole, logRest = d.logM - logWhole;
    return (d.a - 1) * logU + (d.b - 1) * logRest - d.logBeta + d.logNM - 2 * logWhole;
}

double FSoundDistribution(const TVector& params, double x)
{
    return SoundProbability(FTail(DegreesOf(params), x, false));
}

double FSoundUpper(const TVector& params, double x)
{
    return SoundProbability(FTail(DegreesOf(params), x, true));
}

double FSoundInverse(const TVector& params, double p)
{
    const FDegrees d = DegreesOf(params);
    return SoundDouble(p <= 0.5 ? FQuantile(d, false, p) : FQuantile(d, true, 1 - L(p)));
}

double FSoundInverseFrom(const TVector& params, double p, double start)
{
    const FDegrees d = DegreesOf(params);
    return SoundDouble(p <= 0.5 ? FQuantile(d, false, p, start) : FQuantile(d, true, 1 - L(p), start));
}

double FSoundUpperInverse(const TVector& params, double q)
{
    const FDegrees d = DegreesOf(params);
    return SoundDouble(q <= 0.5 ? FQuantile(d, true, q) : FQuantile(d, false, 1 - L(q)));
}

double BetaSoundDensity(const TVector& params, double x)
{
    return SoundDouble(BetaDensityAt(ShapesOf(params), x));
}

L BetaLogDensity(const TVector& params, double x)
{
    if (!(x > 0 && x < 1))
        return -HUGE_VALL;
    const BetaShapes s = ShapesOf(params);
    return (s.alpha - 1) * std::log(L(x)) + (s.beta - 1) * std::log1p(-L(x)) - LogBeta(s.alpha, s.beta);
}

double BetaSoundDistribution(const TVector& params, double x)
{
    return SoundProbability(BetaTail(ShapesOf(params), x, false));
}

double BetaSoundUpper(const TVector& params, double x)
{
    return SoundProbability(BetaTail(ShapesOf(params), x, true));
}

double BetaSoundInverse(const TVector& params, double p)
{
    return SoundDouble(BetaQuantile(ShapesOf(params), p, 1 - L(p)));
}

double BetaSoundInverseFrom(const TVector& params, double p, double start)
{
    return SoundDouble(BetaQuantile(ShapesOf(params), p, 1 - L(p), start));
}

double BetaSoundUpperInverse(const TVector& params, double q)
{
    return SoundDouble(BetaQuantile(ShapesOf(params), 1 - L(q), q));
}
