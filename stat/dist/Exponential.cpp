// The exponential distribution.
#include "StatInternal.h"

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
