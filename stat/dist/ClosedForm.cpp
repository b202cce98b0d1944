// The nine kinds with closed formulas, and Cauchy, whose distribution integrates its density.
#include "StatInternal.h"

#include <cfloat>
#include <cmath>


// ---- UniformStd, Uniform -----------------------------------------------------------------
double UniformStdDensity(const TVector&, double x)
{
    return x > 0 && x < 1 ? 1 : 0;
}

double UniformStdDistribution(const TVector&, double x)
{
    if (x < 0)
        return 0;
    return x < 1 ? x : 1;
}

double UniformStdInverse(const TVector&, double p)
{
    return InOpenUnit(p) ? p : 0;
}

double UniformDensity(const TVector& params, double x)
{
    const double min = params[0], max = params[1];
    if (min < x && x < max)
        return static_cast<double>(1 / (L(max) - min));
    return 0;
}

double UniformDistribution(const TVector& params, double x)
{
    const double min = params[0], max = params[1];
    if (x < min)
        return 0;
    if (x >= max)
        return 1;
    return static_cast<double>((L(x) - min) / (L(max) - min));
}

double UniformInverse(const TVector& params, double p)
{
    const double min = params[0], max = params[1];
    if (!InOpenUnit(p))
        return 0;
    return static_cast<double>(min + p * (L(max) - min));
}

// ---- Exponential -------------------------------------------------------------------------
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

// ---- Cauchy (Lorentz): location a, scale lambda --------------------------------------------
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

// ---- Logistic ------------------------------------------------------------------------------
namespace {
// Far left, e = exp(-z) leaves the extended range while the density and the distribution are
// ordinary numbers (0 as doubles): there they are formed from exp(z) instead, the density by
// its symmetry e/(1 + e)^2 = 1/(e (1 + 1/e)^2), the distribution as exp(z) / (1 + exp(z)).
constexpr L LogisticFar = 11000;

L LogisticZ(const TVector& params, double x)
{
    return (x - L(params[0])) / params[1];
}
}  // namespace

double LogisticDensity(const TVector& params, double x)
{
    const L z = LogisticZ(params, x);
    const L e = std::exp(z < -LogisticFar ? z : -z);
    return static_cast<double>(e / (params[1] * (1 + e) * (1 + e)));
}

double LogisticDistribution(const TVector& params, double x)
{
    const L z = LogisticZ(params, x);
    if (z < -LogisticFar) {
        const L e = std::exp(z);
        return static_cast<double>(e / (1 + e));
    }
    return static_cast<double>(1 / (1 + std::exp(-z)));
}

double LogisticInverse(const TVector& params, double p)
{
    if (!InOpenUnit(p))
        return 0;
    return static_cast<double>(params[0] + params[1] * std::log(p / (1 - L(p))));
}

// ---- Rayleigh ------------------------------------------------------------------------------
double RayleighDensity(const TVector& params, double x)
{
    if (!(x > 0))
        return 0;
    const L sigma = params[0];
    const L inverseSquare = 1 / (sigma * sigma);
    // Below about 1.3e-154 the scale's 1/ro^2 leaves the double range while the density is
    // ordinary: it is then formed from u = x / ro, as (u / ro) exp(-u^2 / 2).
    if (std::fabs(inverseSquare) > DBL_MAX) {
        const L u = x / sigma;
        return static_cast<double>(u / sigma * std::exp(-0.5L * u * u));
    }
    const double c = static_cast<double>(inverseSquare);
    return static_cast<double>(x * L(c) * std::exp(-0.5L * x * x * c));
}

double RayleighDistribution(const TVector& params, double x)
{
    if (!(x > 0))
        return 0;
    const L sigma = params[0];
    return static_cast<double>(1 - std::exp(-0.5L * x * x / (sigma * sigma)));
}

double RayleighInverse(const TVector& params, double p)
{
    if (!InOpenUnit(p))
        return 0;
    return static_cast<double>(params[0] * std::sqrt(-2 * std::log(1 - L(p))));
}

// ---- Weibull: shape k, scale lambda ----------------------------------------------------------
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

// ---- Pareto: minimal value xm, shape alpha ---------------------------------------------------
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

// ---- ExtrValue: location mu, scale ro, shape xi -----------------------------------------------
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
