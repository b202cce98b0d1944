// The Laplace distribution: each tail e^(-|z|) / 2 on its far side, z = (x - mu) / b, and its
// complement, formed with expm1, on the near side; quantiles from the logarithm of twice the
// smaller tail.
#include "Laplace.h"
#include "Moments.h"

#include <algorithm>
#include <cmath>

namespace {
L Z(const TVector& params, double x)
{
    return (x - L(params[0])) / params[1];
}

// P(X <= x) as a function of z.
L Below(L z)
{
    return z <= 0 ? std::exp(z) / 2 : -std::expm1(-z) / 2 + 0.5L;
}

// The quantile whose lower tail is p and upper tail rest (p + rest = 1).
double At(const TVector& params, L p, L rest)
{
    const L z = p <= rest ? std::log(2 * p) : -std::log(2 * rest);
    return SoundDouble(params[0] + params[1] * z);
}
}  // namespace

double LaplaceDensity(const TVector& params, double x)
{
    return std::isinf(x) ? 0 : SoundDouble(std::exp(-std::fabs(Z(params, x))) / (2 * params[1]));
}

L LaplaceLogDensity(const TVector& params, double x)
{
    return std::isinf(x) ? -HUGE_VALL : -std::fabs(Z(params, x)) - std::log(2 * L(params[1]));
}

double LaplaceDistribution(const TVector& params, double x)
{
    return SoundProbability(Below(Z(params, x)));
}

double LaplaceUpper(const TVector& params, double x)
{
    return SoundProbability(Below(-Z(params, x)));
}

double LaplaceInverse(const TVector& params, double p)
{
    if (p <= 0 || p >= 1)
        return p <= 0 ? -HUGE_VAL : HUGE_VAL;
    return At(params, p, 1 - L(p));
}

double LaplaceUpperInverse(const TVector& params, double q)
{
    if (q <= 0 || q >= 1)
        return q >= 1 ? -HUGE_VAL : HUGE_VAL;
    return At(params, 1 - L(q), q);
}

// The likelihood's maximum: mu the median (the middle of the two middle values of an even
// sample), b the mean distance from mu.
void LaplaceEstimate(const TSampleMoments& s, const TVector& data, TVector& params,
                     const TParamSet& which)
{
    if (which[0]) {
        const std::vector<double> sorted = SortedSample(data);
        const std::size_t n = sorted.size();
        StoreEstimate(params, 0, n % 2 ? L(sorted[n / 2]) : (L(sorted[n / 2 - 1]) + sorted[n / 2]) / 2);
    }
    if (which[1]) {
        L distance = 0;
        for (double x : data)
            distance += std::fabs(x - L(params[0]));
        if (!(distance > 0))
            throw TRefusal("all values are equal");
        StoreEstimate(params, 1, distance / s.n);
    }
}

// The median's standard error, b / sqrt(n): the likelihood has a kink at every value in mu.
bool LaplaceError(const TVector& data, const TVector& params, const TParamSet&, int index,
                  double& se)
{
    if (index != 0)
        return false;
    se = static_cast<double>(params[1] / std::sqrt(L(data.size())));
    return true;
}

TMoments LaplaceMoments(const TVector& params)
{
    return MomentsOf(params[0], std::sqrt(2.0L) * params[1], params[0], 0, 3);
}

// ---- Logarithmic tails: e^-z / 2 beyond mu, 1 - e^z / 2 before it ---------------------------
namespace {
L LogAbove(L z)
{
    return z >= 0 ? -z - std::log(L(2)) : std::log1p(-std::exp(z) / 2);
}
}  // namespace

L LaplaceLogLower(const TVector& params, double x)
{
    return LogAbove(-(x - L(params[0])) / params[1]);
}

L LaplaceLogUpper(const TVector& params, double x)
{
    return LogAbove((x - L(params[0])) / params[1]);
}
