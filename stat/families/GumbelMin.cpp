// The smallest extreme value distribution: with z = (x - mu) / ro and the cumulative hazard
// e^z, the upper tail exp(-e^z) and the lower one -expm1(-e^z); its estimates are the largest
// extreme value law's (ExtrValue with xi = 0) of -x.
#include "ExtrValue.h"
#include "Moments.h"
#include "GumbelMin.h"

#include <cmath>

namespace {
L Z(const TVector& params, double x)
{
    return (x - L(params[0])) / params[1];
}

// The quantile at the cumulative hazard h = -ln(upper tail).
double AtHazard(const TVector& params, L h)
{
    return SoundDouble(params[0] + params[1] * std::log(h));
}
}  // namespace

double GumbelMinDensity(const TVector& params, double x)
{
    return SoundDouble(SoundExp(GumbelMinLogDensity(params, x)));
}

L GumbelMinLogDensity(const TVector& params, double x)
{
    if (std::isinf(x))
        return -HUGE_VALL;
    const L z = Z(params, x);
    return z - SoundExp(z) - std::log(L(params[1]));
}

double GumbelMinDistribution(const TVector& params, double x)
{
    return HazardLower(SoundExp(Z(params, x)));
}

double GumbelMinUpper(const TVector& params, double x)
{
    return HazardUpper(SoundExp(Z(params, x)));
}

double GumbelMinInverse(const TVector& params, double p)
{
    if (p <= 0 || p >= 1)
        return p <= 0 ? -HUGE_VAL : HUGE_VAL;
    return AtHazard(params, HazardOfLower(p));
}

double GumbelMinUpperInverse(const TVector& params, double q)
{
    if (q <= 0 || q >= 1)
        return q >= 1 ? -HUGE_VAL : HUGE_VAL;
    return AtHazard(params, HazardOfUpper(q));
}

void GumbelMinEstimate(const TSampleMoments&, const TVector& data, TVector& params,
                       const TParamSet& which)
{
    if (!which[0] && !which[1])
        return;
    TVector mirrored(data.size());
    for (std::size_t i = 0; i < data.size(); ++i)
        mirrored[i] = -data[i];
    TVector largest{-params[0], params[1], 0};
    TParamSet both;
    both.set(0, which[0]);
    both.set(1, which[1]);
    ExtrValueEstimate(MomentsOf(mirrored, false), mirrored, largest, both);
    if (which[0])
        StoreEstimate(params, 0, -L(largest[0]));
    if (which[1])
        StoreEstimate(params, 1, largest[1]);
}

// The smallest extreme: the mirror of Gumbel's law (skewness -12 sqrt(6) zeta(3) / pi^3).
TMoments GumbelMinMoments(const TVector& params)
{
    const L mu = params[0], ro = params[1];
    return MomentsOf(mu - EulerGamma * ro, ro * Pi / std::sqrt(6.0L), mu,
                     -1.139547099404648657492793019389846112L, 2.4L);
}

// ---- Logarithmic tails: the hazard is e^z --------------------------------------------------
L GumbelMinLogLower(const TVector& params, double x)
{
    return LogHazardLower((x - L(params[0])) / params[1]);
}

L GumbelMinLogUpper(const TVector& params, double x)
{
    return -std::exp((x - L(params[0])) / params[1]);
}
