// The generalised extreme value distribution.

#include "ExtrValue.h"
#include <cmath>

namespace {
enum class Side { Below, Inside, Above };

// Where x lies against the support, and t inside it (rounded to double). A t beyond the
// double range is given as infinity without forming it: exp(-t) is 0 there, and with it the
// density and the distribution.
Side ExtrValueT(const TVector& params, double x, double& t)
{
    const L mu = params[0], sigma = params[1], xi = params[2];
    if (xi > MinPositiveDouble && !(x > mu - sigma / xi))
        return Side::Below;
    if (xi < -MinPositiveDouble && !(x < mu - sigma / xi))
        return Side::Above;
    const L z = (x - mu) / sigma;
    const bool shaped = std::fabs(xi) > MinPositiveDouble;
    const L logT = shaped ? -std::log1p(xi * z) / xi : -z;
    if (logT > 709)
        t = HUGE_VAL;
    else if (shaped)
        t = static_cast<double>(RealPower(1 + xi * z, -1 / xi));
    else
        t = static_cast<double>(std::exp(-z));
    return Side::Inside;
}
}  // namespace

double ExtrValueDensity(const TVector& params, double x)
{
    double t = 0;
    if (ExtrValueT(params, x, t) != Side::Inside)
        return 0;
    if (std::isinf(t))
        return 0;
    const L sigma = params[1], xi = params[2];
    return static_cast<double>((1 / sigma) * RealPower(t, xi + 1) * std::exp(-L(t)));
}

double ExtrValueDistribution(const TVector& params, double x)
{
    double t = 0;
    switch (ExtrValueT(params, x, t)) {
    case Side::Below:
        return 0;
    case Side::Above:
        return 1;
    default:
        return static_cast<double>(std::exp(-L(t)));
    }
}

double ExtrValueInverse(const TVector& params, double p)
{
    if (!InOpenUnit(p))
        return 0;
    const L mu = params[0], sigma = params[1], xi = params[2];
    const L lnlnp = std::log(-std::log(L(p)));
    if (std::fabs(xi) > MinPositiveDouble) {
        const L w = std::exp(-xi * lnlnp);
        return static_cast<double>((sigma * w - sigma + xi * mu) / xi);
    }
    return static_cast<double>(mu - sigma * lnlnp);
}

// The calculator chart's range.
void ExtrValueChart(const TVector& p, double& lo, double& hi)
{
    lo = p[0] - 2 * p[1];
    hi = p[0] + p[1];
}
