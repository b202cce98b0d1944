// The logistic distribution.
#include "Logistic.h"
#include "Moments.h"
#include "Maximise.h"
#include "SoundMethods.h"

#include <cmath>

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

// The calculator chart's range.
void LogisticChart(const TVector&, double& lo, double& hi)
{
    lo = -5;
    hi = 25;
}

// Moment estimates: the mean, and the variance pi^2 s^2 / 3.
void LogisticEstimate(const TSampleMoments& s, const TVector&, TVector& params,
                      const TParamSet& which)
{
    if (which[0])
        StoreEstimate(params, 0, s.mean);
    if (which[1])
        StoreEstimate(params, 1, std::sqrt(3 * s.variance / (Pi * Pi)));
}

// The likelihood's maximum, by Newton's steps from the moments. With z = (x - mu) / s and
// g = tanh(z / 2), the log-likelihood is the sum of -z - ln s - 2 ln(1 + e^-z); its gradient is
// (sum g, sum z g - n) / s, and its Hessian is formed from g' = (1 - g^2) / 2.
void LogisticMaximise(const TSampleMoments& s, const TVector& data, TVector& params,
                      const TParamSet& which)
{
    if (!which[0] && !which[1])
        return;
    if (!(s.variance > 0))
        throw TRefusal("all values are equal");
    const std::vector<double> values(data.begin(), data.end());
    enum Sum { LogLikelihood, G, ZG, GPrime, ZGPrime, ZZGPrime, SumCount };
    const auto form = [&](const std::vector<L>& t) {
        const double mu = static_cast<double>(t[0]), scale = static_cast<double>(t[1]);
        std::array<L, SumCount> out;
        BlockSums(values, [&](double x, std::array<double, SumCount>& b) {
            const double z = (x - mu) / scale, a = std::fabs(z);
            const double g = std::tanh(z / 2), gPrime = (1 - g * g) / 2;
            b[LogLikelihood] += -a - 2 * std::log1p(std::exp(-a));
            b[G] += g;
            b[ZG] += z * g;
            b[GPrime] += gPrime;
            b[ZGPrime] += z * gPrime;
            b[ZZGPrime] += z * z * gPrime;
            return true;
        }, out);
        return out;
    };
    TSumsAt<std::array<L, SumCount>, decltype(form)> sums(form);
    const L n = s.n;
    const TGradient gradient = [&](const std::vector<L>& t, std::vector<L>& g) {
        const auto& a = sums.At(t);
        g[0] = a[G] / t[1];
        g[1] = (a[ZG] - n) / t[1];
        return a[LogLikelihood] - n * std::log(t[1]);
    };
    const THessian hessian = [&](const std::vector<L>& t, TMatrix& H) {
        const auto& a = sums.At(t);
        const L s2 = t[1] * t[1];
        H[0][0] = -a[GPrime] / s2;
        H[0][1] = H[1][0] = -(a[G] + a[ZGPrime]) / s2;
        H[1][1] = (n - 2 * a[ZG] - a[ZZGPrime]) / s2;
    };
    const L mu0 = which[0] ? s.mean : L(params[0]);
    const L s0 = which[1] ? std::sqrt(3 * s.variance) / Pi : L(params[1]);
    const TMaximised best =
        MaximiseFree({{mu0}, {s0, true}}, {which[0], which[1]}, gradient, hessian);
    if (!best.converged)
        throw TRefusal("the likelihood has no maximum");
    for (int i = 0; i < 2; ++i)
        if (which[i])
            StoreEstimate(params, i, best.at[i]);
}

// ---- The sound functions: each tail from the exponential of minus |z| that does not leave
// the range, the quantiles from the logit of the probability nearest to it ----------------
namespace {
// P(X <= x) as a function of z.
L LogisticLower(L z)
{
    if (z < 0) {
        const L e = std::exp(z);
        return e / (1 + e);
    }
    return 1 / (1 + std::exp(-z));
}

// ln(p / (1 - p)): through log1p near 1/2, where the two logarithms would cancel.
L Logit(double p)
{
    if (p > 0.25 && p < 0.75)
        return std::log1p((2 * L(p) - 1) / (1 - L(p)));
    return std::log(L(p)) - std::log1p(-L(p));
}
}  // namespace

double LogisticSoundDensity(const TVector& params, double x)
{
    const L e = std::exp(-std::fabs(LogisticZ(params, x)));
    return SoundDouble(e / (params[1] * (1 + e) * (1 + e)));
}

L LogisticLogDensity(const TVector& params, double x)
{
    const L z = std::fabs(LogisticZ(params, x));
    return -z - std::log(L(params[1])) - 2 * std::log1p(std::exp(-z));
}

double LogisticSoundDistribution(const TVector& params, double x)
{
    return SoundProbability(LogisticLower(LogisticZ(params, x)));
}

double LogisticSoundUpper(const TVector& params, double x)
{
    return SoundProbability(LogisticLower(-LogisticZ(params, x)));
}

double LogisticSoundInverse(const TVector& params, double p)
{
    return SoundDouble(params[0] + params[1] * Logit(p));
}

double LogisticSoundUpperInverse(const TVector& params, double q)
{
    return SoundDouble(params[0] - params[1] * Logit(q));
}

TMoments LogisticMoments(const TVector& params)
{
    return MomentsOf(params[0], params[1] * Pi / std::sqrt(3.0L), params[0], 0, 1.2L);
}

// ---- Logarithmic tails: ln(1 / (1 + e^-z)) ------------------------------------------------
namespace {
L LogBelow(L z)
{
    return z < 0 ? z - std::log1p(std::exp(z)) : -std::log1p(std::exp(-z));
}
}  // namespace

L LogisticLogLower(const TVector& params, double x)
{
    return LogBelow((x - L(params[0])) / params[1]);
}

L LogisticLogUpper(const TVector& params, double x)
{
    return LogBelow(-(x - L(params[0])) / params[1]);
}
