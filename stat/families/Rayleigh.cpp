// The Rayleigh distribution.
#include "Rayleigh.h"
#include "Moments.h"
#include "Pivots.h"
#include "SoundMethods.h"

#include <cfloat>
#include <cmath>

double RayleighDensity(const TVector& params, double x)
{
    if (!(x > 0))
        return 0;
    const L sigma = params[0];
    const L inverseSquare = 1 / (sigma * sigma);
    // Below about 1.3e-154 the scale's 1/ro^2 leaves the double range while the density is
    // ordinary: it is then formed from u = x / ro, as (u / ro) exp(-u^2 / 2).
    if (std::fabs(inverseSquare) > DBL_MAX) {
        const L u = x / sigma;
        return static_cast<double>(u / sigma * std::exp(-0.5L * u * u));
    }
    const double c = static_cast<double>(inverseSquare);
    return static_cast<double>(x * L(c) * std::exp(-0.5L * x * x * c));
}

double RayleighDistribution(const TVector& params, double x)
{
    if (!(x > 0))
        return 0;
    const L sigma = params[0];
    return static_cast<double>(1 - std::exp(-0.5L * x * x / (sigma * sigma)));
}

double RayleighInverse(const TVector& params, double p)
{
    if (!InOpenUnit(p))
        return 0;
    return static_cast<double>(params[0] * std::sqrt(-2 * std::log(1 - L(p))));
}

// The calculator chart's range.
void RayleighChart(const TVector& p, double& lo, double& hi)
{
    lo = 0;
    hi = p[0] / 2 + 10;
}

// Moment estimate: the mean is ro sqrt(pi / 2).
void RayleighEstimate(const TSampleMoments& s, const TVector&, TVector& params,
                      const TParamSet& which)
{
    if (which[0])
        StoreEstimate(params, 0, s.mean / std::sqrt(Pi / 2));
}

namespace {
L SumOfSquares(const TVector& data)
{
    L sum = 0;
    for (double x : data)
        sum += L(x) * x;
    return sum;
}
}  // namespace

// The likelihood's maximum: ro^2 is the sum of squares over 2n.
void RayleighMaximise(const TSampleMoments&, const TVector& data, TVector& params,
                      const TParamSet& which)
{
    if (which[0])
        StoreEstimate(params, 0, std::sqrt(SumOfSquares(data) / (2 * L(data.size()))));
}

// The sum of squares over ro^2 follows chi-square with 2n degrees of freedom.
bool RayleighExact(const TVector& data, const TVector&, const TParamSet&, int, double level,
                   TParamInterval& interval)
{
    const L squares = SumOfSquares(data);
    if (!(squares > 0))
        return false;
    const double tail = (1 - level) / 2, degrees = 2.0 * data.size();
    interval.lower = static_cast<double>(std::sqrt(squares / Chi2Point(degrees, 1 - tail)));
    interval.upper = static_cast<double>(std::sqrt(squares / Chi2Point(degrees, tail)));
    return true;
}

// ---- The sound functions: the cumulative hazard u^2 / 2 with u = x / ro -------------------------
namespace {
L HalfSquare(const TVector& params, double x)
{
    const L u = x / L(params[0]);
    return u * u / 2;
}

double RayleighAtHazard(const TVector& params, L h)
{
    return SoundDouble(params[0] * std::sqrt(2 * h));
}
}  // namespace

double RayleighSoundDensity(const TVector& params, double x)
{
    if (!(x > 0))
        return 0;
    const L u = x / L(params[0]);
    return SoundDouble(u / params[0] * std::exp(-u * u / 2));
}

L RayleighLogDensity(const TVector& params, double x)
{
    if (!(x > 0) || std::isinf(x))
        return -HUGE_VALL;
    const L u = x / L(params[0]);
    return std::log(u / params[0]) - u * u / 2;
}

double RayleighSoundDistribution(const TVector& params, double x)
{
    return x > 0 ? HazardLower(HalfSquare(params, x)) : 0;
}

double RayleighSoundUpper(const TVector& params, double x)
{
    return x > 0 ? HazardUpper(HalfSquare(params, x)) : 1;
}

double RayleighSoundInverse(const TVector& params, double p)
{
    return RayleighAtHazard(params, HazardOfLower(p));
}

double RayleighSoundUpperInverse(const TVector& params, double q)
{
    return RayleighAtHazard(params, HazardOfUpper(q));
}

TMoments RayleighMoments(const TVector& params)
{
    const L ro = params[0], rest = 4 - Pi;
    return MomentsOf(ro * std::sqrt(Pi / 2), ro * std::sqrt(rest / 2), ro,
                     2 * std::sqrt(Pi) * (Pi - 3) / (rest * std::sqrt(rest)),
                     -(6 * Pi * Pi - 24 * Pi + 16) / (rest * rest));
}

// ---- Logarithmic tails: ln(1 - e^-H) and -H --------------------------------------------------
L RayleighLogLower(const TVector& params, double x)
{
    return x > 0 ? LogHazardLower(2 * (std::log(L(x)) - std::log(L(params[0]))) - std::log(L(2))) : -HUGE_VALL;
}

L RayleighLogUpper(const TVector& params, double x)
{
    return x > 0 ? -std::exp(2 * (std::log(L(x)) - std::log(L(params[0]))) - std::log(L(2))) : 0;
}
