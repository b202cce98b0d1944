// The sound functions of LogNormal, Cauchy, Beta and F: the log-normal through the library's
// own standard normal, the Cauchy by its closed form, Beta and F through the incomplete Beta
// function, quantiles of the last two by bisection of their distribution.
#include "SoundMethods.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {
std::uint64_t BitsOf(double x)
{
    std::uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

double DoubleOf(std::uint64_t b)
{
    double x;
    std::memcpy(&x, &b, sizeof x);
    return x;
}

// The smallest x in [lo, hi] (0 <= lo < hi) with cdf(x) >= p, or hi when there is none, by
// bisection over the ordered bit patterns of the doubles: at most 64 steps at any scale.
template <class Cdf>
double SolveIncreasing(Cdf cdf, double p, double lo, double hi)
{
    if (cdf(hi) < p)
        return hi;
    std::uint64_t below = BitsOf(lo), above = BitsOf(hi);
    if (cdf(lo) >= p)
        return lo;
    while (above - below > 1) {
        const std::uint64_t mid = below + (above - below) / 2;
        (cdf(DoubleOf(mid)) < p ? below : above) = mid;
    }
    return DoubleOf(above);
}

// ---- LogNormal: the standard normal of (ln x - mu) / ro ------------------------------------
double LogNormalSoundDistribution(const TVector& params, double x)
{
    if (x <= 0)
        return 0;
    const L z = (std::log(L(x)) - params[0]) / params[1];
    return NormalStdDistribution({}, StandardDouble(z));
}

double LogNormalSoundInverse(const TVector& params, double p)
{
    if (!InOpenUnit(p))
        return 0;
    const L logQ = params[0] + params[1] * L(NormalStdInverse({}, p));
    if (logQ >= std::log(L(LogNormalLimit)))
        return LogNormalLimit;  // beyond the search; TrueValues puts it at the walk's end
    return static_cast<double>(std::exp(logQ));
}

// The log-normal search runs from 0 in whole panels and stops one step below its limit.
bool LogNormalCap(const TVector&, double, double& at, bool& upward)
{
    at = LogNormalLimit - SimpsonStep;
    upward = true;
    return true;
}

// ---- Cauchy: 1/2 + atan(z) / pi, in the form that keeps each tail's precision --------------
double CauchySoundDistribution(const TVector& params, double x)
{
    const double a = params[0];
    if (x == a)
        return 0.5;
    const L z = (x - L(a)) / params[1];
    if (z > 1)
        return static_cast<double>(1 - std::atan(1 / z) / Pi);
    if (z < -1)
        return static_cast<double>(std::atan(-1 / z) / Pi);
    return static_cast<double>(0.5L + std::atan(z) / Pi);
}

double CauchySoundInverse(const TVector& params, double p)
{
    const L a = params[0], c = params[1];
    if (p > 0.5 && p < 1)
        return static_cast<double>(a + c / std::tan(Pi * (1 - L(p))));
    if (p > 0 && p < 0.5)
        return static_cast<double>(a - c / std::tan(Pi * L(p)));
    return p == 0.5 ? params[0] : 0;
}

// The search runs right from a to its limit; a lower quantile is the mirror image of one.
bool CauchyCap(const TVector& params, double p, double& at, bool& upward)
{
    const L a = params[0];
    const L end = L(CauchySearchLimit(params[0])) - SimpsonStep;
    upward = p > 0.5;
    at = static_cast<double>(upward ? end : 2 * a - end);
    return true;
}

// ---- Beta ------------------------------------------------------------------------------------
double BetaSoundDensity(const TVector& params, double x)
{
    if (!(x > 0 && x < 1))
        return 0;
    const L alpha = params[0], beta = params[1];
    const L lx = x;
    return static_cast<double>(std::exp((alpha - 1) * std::log(lx) +
                                        (beta - 1) * std::log1p(-lx) - LogBeta(alpha, beta)));
}

double BetaSoundDistribution(const TVector& params, double x)
{
    if (!(x > MinPositiveDouble))
        return 0;
    if (!(x < 1))
        return 1;
    return static_cast<double>(RegularisedBeta(params[0], params[1], x, 1 - L(x)));
}

double BetaSoundInverse(const TVector& params, double p)
{
    if (!(p > MinPositiveDouble && p < 1))
        return 0;
    return SolveIncreasing([&](double x) { return BetaSoundDistribution(params, x); }, p, 0, 1);
}

// With both shapes at least 1 the search runs from 0 in whole panels and stops one step
// below 1; with a singular end it searches from the end nearer the quantile, without a cap.
bool BetaCap(const TVector& params, double, double& at, bool& upward)
{
    if (params[0] < 1 || params[1] < 1)
        return false;
    at = 1 - SimpsonStep;
    upward = true;
    return true;
}

// ---- F: I_y(n/2, m/2) with y = n x / (n x + m) ---------------------------------------------
double FSoundDistribution(const TVector& params, double x)
{
    if (x <= 0)
        return 0;
    const L n = WholeDegrees(params[0]), m = WholeDegrees(params[1]);
    const L whole = n * x + m;
    return static_cast<double>(RegularisedBeta(n / 2, m / 2, n * x / whole, m / whole));
}

double FSoundInverse(const TVector& params, double p)
{
    if (!InOpenUnit(p))
        return 0;
    return SolveIncreasing([&](double x) { return FSoundDistribution(params, x); }, p, 0, FCap);
}

bool FCapAt(const TVector&, double, double& at, bool& upward)
{
    at = FCap;
    upward = true;
    return true;
}

// A Cauchy narrower than a panel: the first panel from a takes the peak's height over a sixth
// of the panel.
bool CauchyNarrowerThanAPanel(const TVector& params)
{
    return params[1] < SimpsonStep;
}

// A Beta kernel whose peak lies near or below the double range, where its values lose their
// digits and the grid sums subnormal numbers.
bool BetaPeakBelowTheRange(const TVector& params)
{
    if (params[0] < 1 || params[1] < 1)
        return false;
    const L a = params[0] - 1, b = params[1] - 1;
    const L logPeak = (a > 0 ? a * std::log(a / (a + b)) : 0) + (b > 0 ? b * std::log(b / (a + b)) : 0);
    return logPeak < -600;
}

double FromZero(const TVector&)
{
    return 0;
}

double FromLocation(const TVector& params)
{
    return params[0];
}

const TSoundKind None{};
const TSoundKind LogNormalSound{nullptr, LogNormalSoundDistribution, LogNormalSoundInverse,
                                LogNormalCap, nullptr, FromZero, true, true};
const TSoundKind CauchySound{nullptr, CauchySoundDistribution, CauchySoundInverse, CauchyCap,
                             CauchyNarrowerThanAPanel, FromLocation, true, false};
const TSoundKind BetaSound{BetaSoundDensity, BetaSoundDistribution, BetaSoundInverse, BetaCap,
                           BetaPeakBelowTheRange};
// The F quantile search stops at 50 of itself.
const TSoundKind FSound{nullptr, FSoundDistribution, FSoundInverse, FCapAt, nullptr, FromZero,
                        false, false};
}  // namespace

const TSoundKind& SoundKind(TDistKind kind)
{
    switch (kind) {
    case TDistKind::LogNormal:
        return LogNormalSound;
    case TDistKind::Cauchy:
        return CauchySound;
    case TDistKind::Beta:
        return BetaSound;
    case TDistKind::F:
        return FSound;
    default:
        return None;
    }
}
