// The Gamma distribution, through the regularised incomplete gamma functions of x / theta,
// and its maximum-likelihood estimates.
#include "Gamma.h"
#include "Moments.h"
#include "Maximise.h"

#include <cmath>
#include <vector>

double GammaDensity(const TVector& params, double x)
{
    if (!(x > 0) || std::isinf(x))
        return 0;
    return SoundDouble(SoundExp(LogGammaKernel(params[0], x / L(params[1]))) / x);
}

L GammaLogDensity(const TVector& params, double x)
{
    if (!(x > 0) || std::isinf(x))
        return -HUGE_VALL;
    return LogGammaKernel(params[0], x / L(params[1])) - std::log(L(x));
}

double GammaDistribution(const TVector& params, double x)
{
    return x > 0 ? SoundProbability(IncompleteGamma(params[0], x / L(params[1])).lower) : 0;
}

double GammaUpper(const TVector& params, double x)
{
    return x > 0 ? SoundProbability(IncompleteGamma(params[0], x / L(params[1])).upper) : 1;
}

L GammaLogLower(const TVector& params, double x)
{
    return LogIncompleteGamma(params[0], x / L(params[1])).lower;
}

L GammaLogUpper(const TVector& params, double x)
{
    return LogIncompleteGamma(params[0], x / L(params[1])).upper;
}

// Each from the tail that holds the probability's digits; 0 and 1 give the support's ends.
double GammaInverse(const TVector& params, double p)
{
    if (p <= 0)
        return 0;
    if (p >= 1)
        return HUGE_VAL;
    const L k = params[0];
    return SoundDouble(params[1] * (p <= 0.5 ? GammaQuantile(k, false, p)
                                             : GammaQuantile(k, true, 1 - L(p))));
}

double GammaUpperInverse(const TVector& params, double q)
{
    if (q >= 1)
        return 0;
    if (q <= 0)
        return HUGE_VAL;
    const L k = params[0];
    return SoundDouble(params[1] * (q <= 0.5 ? GammaQuantile(k, true, q)
                                             : GammaQuantile(k, false, 1 - L(q))));
}

// ---- Estimate: maximum likelihood -----------------------------------------------------------
// With m the mean and g the mean of ln x, the log-likelihood over n is
// (k - 1) g - m / theta - ln Gamma(k) - k ln theta. For a given k, theta = m / k; k then solves
// ln k - digamma(k) = ln m - g, by Newton's steps in ln k from T. P. Minka's start (Estimating a
// Gamma distribution, 2002). With theta given, digamma(k) = g - ln theta.
namespace {
// The maximum from the count n, the mean m and the sum of the logarithms.
void GammaMaximum(L n, L m, L sumLog, TVector& params, const TParamSet& which)
{
    const L g = sumLog / n;
    if (!which[0]) {
        StoreEstimate(params, 1, m / params[0]);
        return;
    }
    // The equation for k, increasing in ln k: f(u) = 0 with u = ln k.
    const bool scaleGiven = !which[1];
    const L target = scaleGiven ? g - std::log(L(params[1])) : std::log(m) - g;
    if (!scaleGiven && !(target > 0))
        throw TRefusal("all values are equal");
    const auto f = [&](L k) { return scaleGiven ? Digamma(k) - target : std::log(k) - Digamma(k) - target; };
    const auto slope = [&](L k) { return scaleGiven ? k * Trigamma(k) : 1 - k * Trigamma(k); };
    L k = scaleGiven ? std::exp(target) + 0.5L
                     : (3 - target + std::sqrt((target - 3) * (target - 3) + 24 * target)) / (12 * target);
    for (int i = 0; i < 100; ++i) {
        const L step = f(k) / slope(k);
        const L next = k * std::exp(-std::clamp<L>(step, -2, 2));
        if (std::fabs(next - k) <= k * 0x1p-60L) {
            k = next;
            break;
        }
        k = next;
    }
    if (!(k > 0) || !std::isfinite(k) || std::fabs(f(k)) > 1e-12L * (1 + std::fabs(target)))
        throw TRefusal("the likelihood has no maximum");
    StoreEstimate(params, 0, k);
    if (which[1])
        StoreEstimate(params, 1, m / k);
}
}  // namespace

void GammaEstimate(const TSampleMoments& s, const TVector& data, TVector& params,
                   const TParamSet& which)
{
    if (which[0] || which[1])
        GammaMaximum(s.n, s.mean, SumOfLogs(data), params, which);
}

// The logarithms of SumOfLogs kept for the log-density's own, and ln Gamma(k) formed once.
L GammaMaximumLikelihood(const TVector& values, TVector& params, const TParamSet& which)
{
    std::vector<L> logs;
    const L sumLog = SumOfLogs(values, &logs);
    if (which[0] || which[1]) {
        const TSampleMoments s = MomentsOf(values, false);
        GammaMaximum(s.n, s.mean, sumLog, params, which);
    }
    const TGammaKernel kernel(params[0]);
    const L theta = params[1];
    L sum = 0;
    for (std::size_t i = 0; i < values.size(); ++i)
        sum += kernel(values[i] / theta) - logs[i];
    return sum;
}

TMoments GammaMoments(const TVector& params)
{
    const L k = params[0], theta = params[1];
    return MomentsOf(k * theta, std::sqrt(k) * theta, k >= 1 ? (k - 1) * theta : 0,
                     2 / std::sqrt(k), 6 / k);
}
