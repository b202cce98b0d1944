// The Cauchy (Lorentz) distribution, whose distribution integrates its density.
#include "Cauchy.h"
#include "SoundMethods.h"

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

// ---- The sound functions: 1/2 + atan(z) / pi, in the forms that keep each tail's digits -----
namespace {
L Standard(const TVector& params, double x)
{
    return (x - L(params[0])) / params[1];
}

// P(X <= x) as a function of z.
L CauchyLower(L z)
{
    if (z < -1)
        return std::atan(-1 / z) / Pi;
    if (z > 1)
        return 1 - std::atan(1 / z) / Pi;
    return 0.5L + std::atan(z) / Pi;
}

// The quantile's distance from a in units of the scale, for p in (0, 1): from the tangent of
// the probability nearest to it (p itself, or its distance from 1/2 or from 1, each exact).
L CauchyOffset(double p)
{
    if (p < 0.25)
        return -1 / std::tan(Pi * p);
    if (p > 0.75)
        return 1 / std::tan(Pi * (1 - L(p)));
    return std::tan(Pi * (p - 0.5L));
}
}  // namespace

double CauchySoundDensity(const TVector& params, double x)
{
    const L z = Standard(params, x);
    return SoundDouble(1 / (Pi * params[1] * (1 + z * z)));
}

double CauchySoundDistribution(const TVector& params, double x)
{
    return x == params[0] ? 0.5 : SoundProbability(CauchyLower(Standard(params, x)));
}

double CauchySoundUpper(const TVector& params, double x)
{
    return x == params[0] ? 0.5 : SoundProbability(CauchyLower(-Standard(params, x)));
}

double CauchySoundInverse(const TVector& params, double p)
{
    return p == 0.5 ? params[0] : SoundDouble(params[0] + params[1] * CauchyOffset(p));
}

double CauchySoundUpperInverse(const TVector& params, double q)
{
    return q == 0.5 ? params[0] : SoundDouble(params[0] - params[1] * CauchyOffset(q));
}

// The listed walks start at a.
double CauchyWalked(const TVector& params, double x)
{
    return SoundDouble(std::fabs(x - L(params[0])));
}

// A Cauchy narrower than a panel: the first panel from a takes the peak's height over a sixth
// of the panel.
bool CauchyNarrowerThanAPanel(const TVector& params)
{
    return params[1] < SimpsonStep;
}
