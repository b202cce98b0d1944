// The generalised extreme value distribution.
#include "ExtrValue.h"
#include "Moments.h"
#include "SoundMethods.h"

#include <cmath>

namespace {
enum class Side { Below, Inside, Above };

// Where x lies against the support, and t inside it (rounded to double). A t beyond the
// double range is given as infinity without forming it: exp(-t) is 0 there, and with it the
// density and the distribution. The support is tested as 1 + xi z > 0, which keeps x = mu
// inside where the end mu - sigma / xi rounds to mu (a scale below half an ulp of mu).
Side ExtrValueT(const TVector& params, double x, double& t)
{
    const L mu = params[0], sigma = params[1], xi = params[2];
    const L z = (x - mu) / sigma;
    if (xi > MinPositiveDouble && !(1 + xi * z > 0))
        return Side::Below;
    if (xi < -MinPositiveDouble && !(1 + xi * z > 0))
        return Side::Above;
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

// ---- The sound functions: ln t = -log1p(xi z) / xi (or -z), each tail from t without
// forming 1 minus the other: P(X <= x) = exp(-t), P(X > x) = -expm1(-t) ------------------------
namespace {
// ln t inside the support; false outside it, with the side in `below`. Next to the end of a
// bounded support 1 + xi z cancels to a few digits of the extended precision: it is formed in
// quadruple precision (x, mu, sigma and xi are exact there), whose 113 bits keep it to 1e-9
// relative down to 1e-25.
bool LogT(const TVector& params, double x, L& logT, bool& below)
{
    const L xi = params[2], z = (x - L(params[0])) / params[1];
    if (std::fabs(xi) > MinPositiveDouble) {
        below = xi > 0;
        const __float128 s = 1 + static_cast<__float128>(params[2]) *
                                     ((static_cast<__float128>(x) - params[0]) / params[1]);
        if (!(s > 0))
            return false;
        logT = (s < 0.5 ? -std::log(static_cast<L>(s)) : -std::log1p(xi * z)) / xi;
    } else {
        if (std::isnan(z))
            return false;
        logT = -z;
    }
    return true;
}

// The quantile from l = -ln P(X <= x) > 0: mu + sigma ((l^-xi - 1) / xi), or mu - sigma ln l.
// Where l^-xi or sigma times g leaves the extended range, the quantile lies beyond the doubles
// on the side of xi's sign: that infinity, without forming it.
double ExtrValueFromLogLower(const TVector& params, L l)
{
    constexpr L LogLargest = 11356;  // ln of the largest extended value, less a little
    const L xi = params[2], sigma = params[1], logL = std::log(l);
    const bool shaped = std::fabs(xi) > MinPositiveDouble;
    if (shaped && -xi * logL > LogLargest)
        return SoundDouble(xi > 0 ? HUGE_VALL : -HUGE_VALL);
    const L g = shaped ? std::expm1(-xi * logL) / xi : -logL;
    if (g != 0 && std::log(std::fabs(g)) + std::log(sigma) > LogLargest)
        return SoundDouble(g > 0 ? HUGE_VALL : -HUGE_VALL);
    return SoundDouble(params[0] + sigma * g);
}
}  // namespace

double ExtrValueSoundDensity(const TVector& params, double x)
{
    L logT = 0;
    bool below = false;
    if (!LogT(params, x, logT, below))
        return 0;
    const L t = SoundExp(logT);
    return SoundDouble(SoundExp((params[2] + 1) * logT - t) / params[1]);
}

L ExtrValueLogDensity(const TVector& params, double x)
{
    L logT = 0;
    bool below = false;
    if (!LogT(params, x, logT, below))
        return -HUGE_VALL;
    return (params[2] + 1) * logT - SoundExp(logT) - std::log(L(params[1]));
}

double ExtrValueSoundDistribution(const TVector& params, double x)
{
    L logT = 0;
    bool below = false;
    if (!LogT(params, x, logT, below))
        return below ? 0 : 1;
    return SoundProbability(std::exp(-SoundExp(logT)));
}

double ExtrValueSoundUpper(const TVector& params, double x)
{
    L logT = 0;
    bool below = false;
    if (!LogT(params, x, logT, below))
        return below ? 1 : 0;
    return SoundProbability(-std::expm1(-SoundExp(logT)));
}

double ExtrValueSoundInverse(const TVector& params, double p)
{
    return ExtrValueFromLogLower(params, p <= 0.5 ? -std::log(L(p)) : -std::log1p(-(1 - L(p))));
}

double ExtrValueSoundUpperInverse(const TVector& params, double q)
{
    return ExtrValueFromLogLower(params, -std::log1p(-L(q)));
}

namespace {
// With t = (1 + xi z)^(-1/xi) of unit exponential law, X = mu + sigma (Y - 1) / xi for
// Y = t^-xi, and E[Y^r] = Gamma(1 - r xi).
Quad GevLogMoment(const TVector& params, int r)
{
    return lgammaq(1 - r * static_cast<Quad>(params[2]));
}

// Gumbel's law, xi = 0: skewness 12 sqrt(6) zeta(3) / pi^3, excess kurtosis 12 / 5.
constexpr L GumbelSkewness = 1.139547099404648657492793019389846112L;

TMoments GevMomentsAt(L mu, L sigma, L xi)
{
    if (xi == 0)
        return MomentsOf(mu + sigma * EulerGamma, sigma * Pi / std::sqrt(6.0L), mu, GumbelSkewness,
                         2.4L);
    const int finite = xi <= 0 ? 4 : xi < 0.25L ? 4 : xi < 1 / 3.0L ? 3 : xi < 0.5L ? 2 : xi < 1 ? 1 : 0;
    const TVector params{static_cast<double>(mu), static_cast<double>(sigma), static_cast<double>(xi)};
    TMoments m = MomentsOfScaled(GevLogMoment, params, finite, mu - sigma / xi, sigma / xi);
    if (finite >= 1)  // mu + sigma (Gamma(1 - xi) - 1) / xi, without the cancellation
        m.mean = static_cast<double>(mu + sigma * static_cast<L>(expm1q(lgammaq(1 - static_cast<Quad>(xi)))) / xi);
    m.mode = static_cast<double>(mu + sigma * std::expm1(-xi * std::log1p(xi)) / xi);
    return m;
}
}  // namespace

// Within 1e-7 of xi = 0 the standardised moments are the line from Gumbel's to those at
// +-1e-7 (their second derivative in xi is of order 1, so the line errs by 1e-14), where the
// quadruple precision still holds twenty digits of the small differences they are formed of.
TMoments ExtrValueMoments(const TVector& params)
{
    const L mu = params[0], sigma = params[1], xi = params[2];
    constexpr L Near = 1e-7L;
    if (xi == 0 || std::fabs(xi) >= Near)
        return GevMomentsAt(mu, sigma, xi);
    const TMoments gumbel = GevMomentsAt(mu, sigma, 0), edge = GevMomentsAt(mu, sigma, std::copysign(Near, xi));
    const L t = std::fabs(xi) / Near;
    TMoments m = GevMomentsAt(mu, sigma, xi);
    m.sd = static_cast<double>(gumbel.sd + t * (L(edge.sd) - gumbel.sd));
    m.skewness = static_cast<double>(gumbel.skewness + t * (L(edge.skewness) - gumbel.skewness));
    m.kurtosis = static_cast<double>(gumbel.kurtosis + t * (L(edge.kurtosis) - gumbel.kurtosis));
    return m;
}

// ---- Logarithmic tails: P(X <= x) = e^-t, P(X > x) = 1 - e^-t -----------------------------
L ExtrValueLogLower(const TVector& params, double x)
{
    L logT = 0;
    bool below = false;
    if (!LogT(params, x, logT, below))
        return below ? -HUGE_VALL : 0;
    return -std::exp(logT);
}

L ExtrValueLogUpper(const TVector& params, double x)
{
    L logT = 0;
    bool below = false;
    if (!LogT(params, x, logT, below))
        return below ? 0 : -HUGE_VALL;
    return LogHazardLower(logT);
}
