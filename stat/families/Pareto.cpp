// The Pareto distribution.
#include "Pareto.h"
#include "Moments.h"
#include "Pivots.h"
#include "SoundMethods.h"

#include <algorithm>
#include <cmath>

double ParetoDensity(const TVector& params, double x)
{
    const L xm = params[0], alpha = params[1];
    if (!(x >= xm))
        return 0;
    // Where xm^alpha or x^(alpha + 1) leaves the extended range (about 2^16000 either way)
    // the density is formed as (alpha / x) (xm / x)^alpha, whose power is at most 1.
    constexpr L Room = 16000;
    if (std::fabs(alpha * std::log2(xm)) > Room || std::fabs((alpha + 1) * std::log2(L(x))) > Room)
        return static_cast<double>(alpha / x * RealPower(xm / x, alpha));
    return static_cast<double>(alpha * RealPower(xm, alpha) / RealPower(x, alpha + 1));
}

double ParetoDistribution(const TVector& params, double x)
{
    const L xm = params[0], alpha = params[1];
    if (!(x >= xm))
        return 0;
    return static_cast<double>(1 - RealPower(xm / x, alpha));
}

double ParetoInverse(const TVector& params, double p)
{
    if (!InOpenUnit(p))
        return 0;
    const L xm = params[0], alpha = params[1];
    return static_cast<double>(xm * RealPower(1 - L(p), -1 / alpha));
}

// The calculator chart's range.
void ParetoChart(const TVector& p, double& lo, double& hi)
{
    lo = 0;
    hi = p[0] + 4 + 2 / p[1];
}

// ---- The sound functions: the cumulative hazard alpha r, with r = ln(x / xm) formed through
// log1p((x - xm) / xm) ---------------------------------------------------------------------------
namespace {
L LogRatio(const TVector& params, double x)
{
    const L xm = params[0];
    return std::log1p((x - xm) / xm);
}

double ParetoAtHazard(const TVector& params, L h)
{
    return SoundDouble(params[0] * SoundExp(h / params[1]));
}
}  // namespace

double ParetoSoundDensity(const TVector& params, double x)
{
    if (!(x >= params[0]) || std::isinf(x))
        return 0;
    const L alpha = params[1];
    return SoundDouble(std::exp(std::log(alpha / x) - alpha * LogRatio(params, x)));
}

L ParetoLogDensity(const TVector& params, double x)
{
    if (!(x >= params[0]) || std::isinf(x))
        return -HUGE_VALL;
    const L alpha = params[1];
    return std::log(alpha / x) - alpha * LogRatio(params, x);
}

double ParetoSoundDistribution(const TVector& params, double x)
{
    return x >= params[0] ? HazardLower(params[1] * LogRatio(params, x)) : 0;
}

double ParetoSoundUpper(const TVector& params, double x)
{
    return x >= params[0] ? HazardUpper(params[1] * LogRatio(params, x)) : 1;
}

double ParetoSoundInverse(const TVector& params, double p)
{
    return ParetoAtHazard(params, HazardOfLower(p));
}

double ParetoSoundUpperInverse(const TVector& params, double q)
{
    return ParetoAtHazard(params, HazardOfUpper(q));
}

// ---- Estimate: maximum likelihood -----------------------------------------------------------
// The likelihood grows with xm up to the smallest value, which is its estimate; alpha's is
// then n / sum ln(x / xm) (B. C. Arnold, Pareto Distributions, 2nd ed., CRC Press 2015, 5.2).
void ParetoEstimate(const TSampleMoments& s, const TVector& data, TVector& params,
                    const TParamSet& which)
{
    if (!which[0] && !which[1])
        return;
    if (!(s.min > 0))
        throw TRefusal("the buffer holds values at or below 0");
    const L xm = which[0] ? s.min : L(params[0]);
    if (s.min < xm)
        throw TRefusal("the buffer holds values below xm");
    if (which[0])
        StoreEstimate(params, 0, xm);
    if (!which[1])
        return;
    L sum = 0;
    for (double x : data)
        sum += std::log1p((x - xm) / xm);
    if (!(sum > 0))
        throw TRefusal("all values are equal to xm");
    StoreEstimate(params, 1, s.n / sum);
}

// Exact intervals (Arnold, 5.2): the smallest value follows Pareto(xm, n alpha), and 2 alpha S
// follows chi-square with 2(n - 1) degrees of freedom, independently, where S is the sum of
// ln(x / smallest) (2n and the sum of ln(x / xm) where xm is given). xm lies below the
// smallest value, by a ratio that chi-square with 2 degrees of freedom bounds where alpha is
// given, and F(2, 2(n - 1)) of n (n - 1) ln(smallest / xm) / S where it is estimated too.
bool ParetoExact(const TVector& data, const TVector& params, const TParamSet& estimated,
                 int index, double level, TParamInterval& interval)
{
    const L n = data.size(), smallest = *std::min_element(data.begin(), data.end());
    if (n < 2 || !(smallest > 0))
        return false;
    const L from = estimated[0] ? smallest : L(params[0]);
    L sum = 0;
    for (double x : data)
        sum += std::log(x / from);
    if (!(sum > 0))
        return false;
    if (index == 1) {
        const double tail = (1 - level) / 2;
        const double degrees = static_cast<double>(estimated[0] ? 2 * (n - 1) : 2 * n);
        interval.lower = static_cast<double>(Chi2Point(degrees, tail) / (2 * sum));
        interval.upper = static_cast<double>(Chi2Point(degrees, 1 - tail) / (2 * sum));
        return true;
    }
    const L alpha = params[1];
    const L logRatio = estimated[1] ? FPoint(2, static_cast<double>(2 * (n - 1)), level) * sum /
                                          (n * (n - 1))
                                    : -std::log1p(-L(level)) / (n * alpha);
    interval.lower = static_cast<double>(smallest * std::exp(-logRatio));
    interval.upper = static_cast<double>(smallest);
    return true;
}

// The minimum's standard error: that of the smallest value, Pareto(xm, n alpha), where its
// variance is finite (n alpha > 2).
bool ParetoError(const TVector& data, const TVector& params, const TParamSet&, int index,
                 double& se)
{
    const L shape = data.size() * L(params[1]);
    if (index != 0 || !(shape > 2))
        return false;
    se = static_cast<double>(params[0] * std::sqrt(shape / ((shape - 1) * (shape - 1) * (shape - 2))));
    return true;
}

// The r-th moment exists for alpha > r; below, each is infinite while the variance is finite.
TMoments ParetoMoments(const TVector& params)
{
    const L xm = params[0], a = params[1];
    if (a <= 1)
        return MomentsOf(HUGE_VALL, NoMoment, xm, NoMoment, NoMoment);
    const L mean = a * xm / (a - 1);
    if (a <= 2)
        return MomentsOf(mean, HUGE_VALL, xm, NoMoment, NoMoment);
    const L sd = xm / (a - 1) * std::sqrt(a / (a - 2));
    const L skewness = a > 3 ? 2 * (1 + a) / (a - 3) * std::sqrt((a - 2) / a) : HUGE_VALL;
    const L kurtosis = a > 4 ? 6 * (a * a * a + a * a - 6 * a - 2) / (a * (a - 3) * (a - 4)) : HUGE_VALL;
    return MomentsOf(mean, sd, xm, skewness, kurtosis);
}

// ---- Logarithmic tails: ln(1 - e^-H) and -H --------------------------------------------------
L ParetoLogLower(const TVector& params, double x)
{
    return x > params[0] ? LogHazardLower(std::log(L(params[1])) + std::log(std::log1p((x - L(params[0])) / params[0]))) : -HUGE_VALL;
}

L ParetoLogUpper(const TVector& params, double x)
{
    return x > params[0] ? -std::exp(std::log(L(params[1])) + std::log(std::log1p((x - L(params[0])) / params[0]))) : 0;
}
