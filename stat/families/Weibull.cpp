// The Weibull distribution.
#include "Weibull.h"
#include "SoundMethods.h"

#include <cmath>

double WeibullDensity(const TVector& params, double x)
{
    if (!(x > 0))
        return 0;
    const L k = params[0], lambda = params[1];
    const L u = x / lambda;
    return static_cast<double>((k / lambda) * RealPower(u, k - 1) * std::exp(-RealPower(u, k)));
}

double WeibullDistribution(const TVector& params, double x)
{
    if (!(x > 0))
        return 0;
    const L u = x / L(params[1]);
    return static_cast<double>(1 - std::exp(-RealPower(u, params[0])));
}

// Outside (0, 1): 1 at p = 0 and from p = 1 on, 0 below 0. Where 1 - p rounds to 1 the
// logarithm of zero is avoided by the limit of the quantile, 0.
double WeibullInverse(const TVector& params, double p)
{
    if (p < 0)
        return 0;
    if (!InOpenUnit(p))
        return 1;
    const L q = 1 - L(p);
    if (q == 1)
        return 0;
    return static_cast<double>(params[1] * std::exp(std::log(-std::log(q)) / params[0]));
}

// The calculator chart's range.
void WeibullChart(const TVector&, double& lo, double& hi)
{
    lo = 0;
    hi = 10;
}

// ---- The sound functions: the cumulative hazard u^k with u = x / lambda, the density in
// logarithms -------------------------------------------------------------------------------------
namespace {
L Power(const TVector& params, double x)
{
    return SoundExp(params[0] * std::log(x / L(params[1])));
}

double WeibullAtHazard(const TVector& params, L h)
{
    return SoundDouble(params[1] * SoundExp(std::log(h) / params[0]));
}
}  // namespace

double WeibullSoundDensity(const TVector& params, double x)
{
    if (!(x > 0) || std::isinf(x))
        return 0;
    const L k = params[0], logU = std::log(x / L(params[1]));
    return SoundDouble(SoundExp(std::log(k / params[1]) + (k - 1) * logU - SoundExp(k * logU)));
}

double WeibullSoundDistribution(const TVector& params, double x)
{
    return x > 0 ? HazardLower(Power(params, x)) : 0;
}

double WeibullSoundUpper(const TVector& params, double x)
{
    return x > 0 ? HazardUpper(Power(params, x)) : 1;
}

double WeibullSoundInverse(const TVector& params, double p)
{
    return WeibullAtHazard(params, HazardOfLower(p));
}

double WeibullSoundUpperInverse(const TVector& params, double q)
{
    return WeibullAtHazard(params, HazardOfUpper(q));
}
