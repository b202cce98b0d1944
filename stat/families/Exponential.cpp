// The exponential distribution.
#include "Exponential.h"
#include "SoundMethods.h"

#include <cmath>

double ExponentialDensity(const TVector& params, double x)
{
    const L lambda = params[0];
    return x > 0 ? static_cast<double>(lambda * std::exp(-lambda * x)) : 0;
}

double ExponentialDistribution(const TVector& params, double x)
{
    const L lambda = params[0];
    return x >= MinPositiveDouble ? static_cast<double>(1 - std::exp(-lambda * x)) : 0;
}

double ExponentialInverse(const TVector& params, double p)
{
    if (!InOpenUnit(p))
        return 0;
    return static_cast<double>(-std::log(1 - L(p)) / params[0]);
}

// The calculator chart's range.
void ExponentialChart(const TVector& p, double& lo, double& hi)
{
    lo = 0;
    hi = 2 * p[0] + 1;
}

// Moment estimate: the mean is 1 / lambda.
void ExponentialEstimate(const TSampleMoments& s, const TVector&, TVector& params,
                         const TParamSet& which)
{
    if (which[0])
        StoreEstimate(params, 0, NonzeroEstimate(s.mean) ? 1 / s.mean : 1);
}

// ---- The sound functions: the tails as exp(-lambda x) and -expm1(-lambda x), the quantiles
// through log1p and log of the tail that holds p's digits --------------------------------------
namespace {
// The x where the upper tail is q, from ln q.
double ExponentialFromLogUpper(const TVector& params, L logUpper)
{
    return SoundDouble(-logUpper / params[0]);
}
}  // namespace

double ExponentialSoundDensity(const TVector& params, double x)
{
    const L lambda = params[0];
    return x > 0 ? SoundDouble(lambda * std::exp(-lambda * x)) : 0;
}

double ExponentialSoundDistribution(const TVector& params, double x)
{
    return x > 0 ? SoundProbability(-std::expm1(-params[0] * L(x))) : 0;
}

double ExponentialSoundUpper(const TVector& params, double x)
{
    return x > 0 ? SoundProbability(std::exp(-params[0] * L(x))) : 1;
}

double ExponentialSoundInverse(const TVector& params, double p)
{
    return ExponentialFromLogUpper(params, std::log1p(-L(p)));
}

double ExponentialSoundUpperInverse(const TVector& params, double q)
{
    return ExponentialFromLogUpper(params, q <= 0.5 ? std::log(L(q)) : std::log1p(-(1 - L(q))));
}
