// The Cauchy (Lorentz) distribution, whose distribution integrates its density.
#include "StatInternal.h"
#include "Family.h"

#include <cmath>

double CauchyDensity(const TVector& params, double x)
{
    const L a = params[0], c = params[1];
    const L z = (x - a) / c;
    return static_cast<double>(1 / (Pi * c * (1 + z * z)));
}

double CauchyDistribution(const TVector& params, double x)
{
    const double a = params[0];
    if (x == a)
        return 0.5;
    return static_cast<double>(0.5L + SimpsonIntegral(CauchyDensity, params, a, x));
}

double CauchySearchLimit(double a)
{
    const L limit = 100 * L(a) + 100;
    if (limit > a)
        return static_cast<double>(limit);
    return static_cast<double>(a + 100 * (1 + std::fabs(L(a))));
}

double CauchyInverse(const TVector& params, double p)
{
    const double a = params[0];
    if (p > 0.5 && p < 1)
        return SimpsonInverse(CauchyDensity, params, a, static_cast<double>(p - 0.5L),
                              CauchySearchLimit(a));
    if (p > 0 && p < 0.5) {
        const double q = SimpsonInverse(CauchyDensity, params, a, static_cast<double>(0.5L - p),
                                        CauchySearchLimit(a));
        return static_cast<double>(2 * L(a) - q);
    }
    if (p == 0.5)
        return a;
    return 0;
}

// The calculator chart's range.
void CauchyChart(const TVector& p, double& lo, double& hi)
{
    lo = p[0] - 2 * std::sqrt(p[1]);
    hi = p[0] + 2 * std::sqrt(p[1]);
}
