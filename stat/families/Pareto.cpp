// The Pareto distribution.

#include "Pareto.h"
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
