// The Cauchy (Lorentz) distribution, whose distribution integrates its density.

#include "Cauchy.h"
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

// The sound functions: 1/2 + atan(z) / pi, in the form that keeps each tail's precision.
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

// A Cauchy narrower than a panel: the first panel from a takes the peak's height over a sixth
// of the panel.
bool CauchyNarrowerThanAPanel(const TVector& params)
{
    return params[1] < SimpsonStep;
}

double FromLocation(const TVector& params)
{
    return params[0];
}
