// The Weibull distribution.
#include "Weibull.h"
#include "Moments.h"
#include "Maximise.h"
#include "SoundMethods.h"

#include <cmath>

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

// The calculator chart's range.
void WeibullChart(const TVector&, double& lo, double& hi)
{
    lo = 0;
    hi = 10;
}

// ---- The sound functions: the cumulative hazard u^k with u = x / lambda, the density in
// logarithms -------------------------------------------------------------------------------------
namespace {
L Power(const TVector& params, double x)
{
    return SoundExp(params[0] * std::log(x / L(params[1])));
}

double WeibullAtHazard(const TVector& params, L h)
{
    return SoundDouble(params[1] * SoundExp(std::log(h) / params[0]));
}
}  // namespace

double WeibullSoundDensity(const TVector& params, double x)
{
    if (!(x > 0) || std::isinf(x))
        return 0;
    const L k = params[0], logU = std::log(x / L(params[1]));
    return SoundDouble(SoundExp(std::log(k / params[1]) + (k - 1) * logU - SoundExp(k * logU)));
}

namespace {
// ln f at x > 0, with ln(k / lambda) given.
L LogDensityWith(L k, double lambda, L logScale, double x)
{
    const L logU = std::log(x / L(lambda));
    return logScale + (k - 1) * logU - SoundExp(k * logU);
}
}  // namespace

L WeibullLogDensity(const TVector& params, double x)
{
    if (!(x > 0) || std::isinf(x))
        return -HUGE_VALL;
    const L k = params[0];
    return LogDensityWith(k, params[1], std::log(k / params[1]), x);
}

double WeibullSoundDistribution(const TVector& params, double x)
{
    return x > 0 ? HazardLower(Power(params, x)) : 0;
}

double WeibullSoundUpper(const TVector& params, double x)
{
    return x > 0 ? HazardUpper(Power(params, x)) : 1;
}

double WeibullSoundInverse(const TVector& params, double p)
{
    return WeibullAtHazard(params, HazardOfLower(p));
}

double WeibullSoundUpperInverse(const TVector& params, double q)
{
    return WeibullAtHazard(params, HazardOfUpper(q));
}

// ---- Estimate: maximum likelihood -----------------------------------------------------------
// With u = ln(x / lambda) and e = exp(k u), the log-likelihood is
// n ln k + sum (k u - ln x) - sum e; its gradient and Hessian are sums of u, e u, e u^2 and e.
// Newton's steps in (ln k, ln lambda) start from the moments of ln x, which follow an extreme
// value law of scale 1/k (A. C. Cohen, Maximum likelihood estimation in the Weibull
// distribution based on complete and on censored samples, Technometrics 7, 1965).
void WeibullEstimate(const TSampleMoments& s, const TVector& data, TVector& params,
                     const TParamSet& which)
{
    if (!which[0] && !which[1])
        return;
    std::vector<double> logs(data.size());
    L sumLog = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (!(data[i] > 0) || std::isinf(data[i]))
            throw TRefusal("the buffer holds values at or below 0");
        logs[i] = std::log(data[i]);
        sumLog += logs[i];
    }
    const L n = s.n, meanLog = sumLog / n;
    L spreadLog = 0;
    for (L v : logs)
        spreadLog += (v - meanLog) * (v - meanLog);
    spreadLog = std::sqrt(spreadLog / (n - 1));
    if (!(spreadLog > 0))
        throw TRefusal("all values are equal");
    // The sums at (k, lambda) of u, e, e u and e u^2.
    enum Sum { U, E, EU, EUU, SumCount };
    const auto form = [&](const std::vector<L>& t) {
        const double k = static_cast<double>(t[0]), logLambda = std::log(static_cast<double>(t[1]));
        std::array<L, SumCount> out;
        BlockSums(logs, [&](double v, std::array<double, SumCount>& b) {
            const double u = v - logLambda, e = std::exp(k * u);
            b[U] += u;
            b[E] += e;
            b[EU] += e * u;
            b[EUU] += e * u * u;
            return true;
        }, out);
        return out;
    };
    TSumsAt<std::array<L, SumCount>, decltype(form)> sums(form);
    const TGradient gradient = [&](const std::vector<L>& t, std::vector<L>& g) {
        const L k = t[0], lambda = t[1];
        const auto& a = sums.At(t);
        g[0] = n / k + a[U] - a[EU];
        g[1] = k / lambda * (a[E] - n);
        return n * std::log(k) + k * a[U] - sumLog - a[E];
    };
    const THessian hessian = [&](const std::vector<L>& t, TMatrix& H) {
        const L k = t[0], lambda = t[1];
        const auto& a = sums.At(t);
        H[0][0] = -n / (k * k) - a[EUU];
        H[0][1] = H[1][0] = (a[E] - n) / lambda + k / lambda * a[EU];
        H[1][1] = -k / (lambda * lambda) * (a[E] - n) - k * k / (lambda * lambda) * a[E];
    };
    const L k0 = which[0] ? Pi / (spreadLog * std::sqrt(6.0L)) : L(params[0]);
    const L lambda0 = which[1] ? std::exp(meanLog + EulerGamma / k0) : L(params[1]);
    const TMaximised best =
        MaximiseFree({{k0, true}, {lambda0, true}}, {which[0], which[1]}, gradient, hessian);
    if (!best.converged)
        throw TRefusal("the likelihood has no maximum");
    for (int i = 0; i < 2; ++i)
        if (which[i])
            StoreEstimate(params, i, best.at[i]);
}

// ln(k / lambda) formed once for all the values.
L WeibullMaximumLikelihood(const TVector& values, TVector& params, const TParamSet& which)
{
    WeibullEstimate(MomentsOf(values, false), values, params, which);
    const L k = params[0], logScale = std::log(k / params[1]);
    L sum = 0;
    for (double x : values)
        sum += x > 0 && !std::isinf(x) ? LogDensityWith(k, params[1], logScale, x) : -HUGE_VALL;
    return sum;
}

namespace {
// lambda^-r E[X^r] = Gamma(1 + r / k).
Quad WeibullLogMoment(const TVector& params, int r)
{
    return lgammaq(1 + r / static_cast<Quad>(params[0]));
}
}  // namespace

TMoments WeibullMoments(const TVector& params)
{
    const L k = params[0], lambda = params[1];
    TMoments m = MomentsOfScaled(WeibullLogMoment, params, 4, 0, lambda);
    m.mode = static_cast<double>(k > 1 ? lambda * std::exp(std::log1p(-1 / k) / k) : 0);
    return m;
}

// ---- Logarithmic tails: ln(1 - e^-H) and -H --------------------------------------------------
L WeibullLogLower(const TVector& params, double x)
{
    return x > 0 ? LogHazardLower(params[0] * (std::log(L(x)) - std::log(L(params[1])))) : -HUGE_VALL;
}

L WeibullLogUpper(const TVector& params, double x)
{
    return x > 0 ? -std::exp(params[0] * (std::log(L(x)) - std::log(L(params[1])))) : 0;
}
