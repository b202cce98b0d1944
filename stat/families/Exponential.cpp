// The exponential distribution.
#include "Exponential.h"
#include "Moments.h"
#include "Pivots.h"
#include "SoundMethods.h"

#include <cfloat>
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

// The listed formulas raise no error flag for a served lambda > 0: lambda x stays inside the
// extended range for every double x (an infinite x gives e^-inf = 0), and 1 - p > 0 for p in
// (0, 1), where the quantile takes its logarithm.
// Both listed formulas are formed in extended precision. lambda x is rounded to 5.4e-20
// relative, e^-(lambda x) within an extended ulp, so 1 - e^-(lambda x) is within 2e-19 absolute
// of the truth before its rounding to a double: true to 1e-9 relative from 1e-9 up. The
// density's relative error is at most lambda x times 5.4e-20, under 1e-15 for every exponent
// the extended range holds, until its double is subnormal.
bool ExponentialListedTrue(TDistFunc mode, const TVector&, double, double listed)
{
    return mode == TDistFunc::Density ? listed >= DBL_MIN : listed >= 1e-9;
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

// Moment estimate: the mean is 1 / lambda (the likelihood's maximum too).
void ExponentialEstimate(const TSampleMoments& s, const TVector&, TVector& params,
                         const TParamSet& which)
{
    if (which[0])
        StoreEstimate(params, 0, NonzeroEstimate(s.mean) ? 1 / s.mean : 1);
}

// 2 lambda times the sum of the values follows chi-square with 2n degrees of freedom.
bool ExponentialExact(const TVector& data, const TVector&, const TParamSet&, int, double level,
                      TParamInterval& interval)
{
    L sum = 0;
    for (double x : data)
        sum += x;
    if (!(sum > 0))
        return false;
    const double tail = (1 - level) / 2, degrees = 2.0 * data.size();
    interval.lower = static_cast<double>(Chi2Point(degrees, tail) / (2 * sum));
    interval.upper = static_cast<double>(Chi2Point(degrees, 1 - tail) / (2 * sum));
    return true;
}

// ---- The sound functions: the cumulative hazard lambda x -------------------------------------

double ExponentialSoundDensity(const TVector& params, double x)
{
    const L lambda = params[0];
    return x > 0 ? SoundDouble(lambda * std::exp(-lambda * x)) : 0;
}

L ExponentialLogDensity(const TVector& params, double x)
{
    const L lambda = params[0];
    return x >= 0 && !std::isinf(x) ? std::log(lambda) - lambda * x : -HUGE_VALL;
}

double ExponentialSoundDistribution(const TVector& params, double x)
{
    return x > 0 ? HazardLower(params[0] * L(x)) : 0;
}

double ExponentialSoundUpper(const TVector& params, double x)
{
    return x > 0 ? HazardUpper(params[0] * L(x)) : 1;
}

double ExponentialSoundInverse(const TVector& params, double p)
{
    return SoundDouble(HazardOfLower(p) / params[0]);
}

double ExponentialSoundUpperInverse(const TVector& params, double q)
{
    return SoundDouble(HazardOfUpper(q) / params[0]);
}

TMoments ExponentialMoments(const TVector& params)
{
    const L mean = 1 / L(params[0]);
    return MomentsOf(mean, mean, 0, 2, 6);
}

// ---- Logarithmic tails: ln(1 - e^-H) and -H --------------------------------------------------
L ExponentialLogLower(const TVector& params, double x)
{
    return x > 0 ? LogHazardLower(std::log(L(params[0])) + std::log(L(x))) : -HUGE_VALL;
}

L ExponentialLogUpper(const TVector& params, double x)
{
    return x > 0 ? -L(params[0]) * x : 0;
}
