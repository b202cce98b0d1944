// Standard normal, normal and log-normal distributions.
#include "StatInternal.h"
#include "Symmetric.h"

#include <cfloat>
#include <cmath>

namespace {
const long double NormalFactor = 0.398942280401433L;     // stands for 1/sqrt(2 pi)
const long double LogNormalFactor = 2.506628274631L;     // stands for sqrt(2 pi)
constexpr double NormalStdLimit = 25;
}  // namespace

double NormalStdDensity(const TVector&, double x)
{
    const long double lx = x;
    return StoreDouble(std::exp(-0.5L * lx * lx) * NormalFactor);
}

double NormalStdDistribution(const TVector& params, double x)
{
    return SymmetricDistribution(NormalStdDensity, params, x);
}

double NormalStdInverse(const TVector& params, double p)
{
    return SymmetricInverse(NormalStdDensity, params, p, NormalStdLimit, MinPositiveDouble);
}

namespace {
// (x - mu) / ro as a double. A finite value beyond the double range is held at the range's
// end: the standard normal density and distribution are 0 or 1 there already, and rounding
// it would overflow.
double Standardised(const TVector& params, double x)
{
    const long double z = (static_cast<long double>(x) - params[0]) / params[1];
    if (std::isfinite(z) && std::fabs(z) > DBL_MAX)
        return z > 0 ? DBL_MAX : -DBL_MAX;
    return static_cast<double>(z);
}
}  // namespace

double NormalDensity(const TVector& params, double x)
{
    return static_cast<double>(NormalStdDensity(params, Standardised(params, x)) /
                               static_cast<long double>(params[1]));
}

double NormalDistribution(const TVector& params, double x)
{
    return NormalStdDistribution(params, Standardised(params, x));
}

double NormalInverse(const TVector& params, double p)
{
    return static_cast<double>(static_cast<long double>(NormalStdInverse(params, p)) * params[1] +
                               params[0]);
}

double LogNormalDensity(const TVector& params, double x)
{
    if (x <= 0)
        return 0;
    const long double mu = params[0], ro = params[1];
    const long double d = std::log(static_cast<long double>(x)) - mu;
    return StoreDouble(std::exp(-(d * d) / (2 * ro * ro)) / (x * ro * LogNormalFactor));
}

double LogNormalDistribution(const TVector& params, double x)
{
    if (x <= 0)
        return 0;
    return SimpsonIntegral(LogNormalDensity, params, 0, x);
}

double LogNormalInverse(const TVector& params, double p)
{
    if (!InOpenUnit(p))
        return 0;
    return SimpsonInverse(LogNormalDensity, params, 0, p, LogNormalLimit);
}
