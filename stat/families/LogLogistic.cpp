// The log-logistic distribution: with z = beta ln(x / alpha), each tail 1 / (1 + e^(-+z)) from
// the exponential of minus |z|, and the quantiles alpha (p / (1 - p))^(1 / beta) from the logit
// of the probability nearest to it; its estimates are the logistic law's of ln x.
#include "LogLogistic.h"
#include "Moments.h"
#include "Logistic.h"

#include <cmath>

namespace {
L Z(const TVector& params, double x)
{
    return params[1] * std::log(x / L(params[0]));
}

// 1 / (1 + e^-z), without overflow.
L Below(L z)
{
    return z < 0 ? std::exp(z) / (1 + std::exp(z)) : 1 / (1 + std::exp(-z));
}

// ln(p / (1 - p)) from p and 1 - p (whichever the caller has exactly).
L Logit(L p, L rest)
{
    return p <= rest ? std::log(p) - std::log1p(-p) : std::log1p(-rest) - std::log(rest);
}

double AtLogit(const TVector& params, L logit)
{
    return SoundDouble(params[0] * SoundExp(logit / params[1]));
}
}  // namespace

double LogLogisticDensity(const TVector& params, double x)
{
    return x > 0 && !std::isinf(x) ? SoundDouble(SoundExp(LogLogisticLogDensity(params, x))) : 0;
}

L LogLogisticLogDensity(const TVector& params, double x)
{
    if (!(x > 0) || std::isinf(x))
        return -HUGE_VALL;
    const L z = std::fabs(Z(params, x));
    return std::log(L(params[1]) / x) - z - 2 * std::log1p(std::exp(-z));
}

double LogLogisticDistribution(const TVector& params, double x)
{
    return x > 0 ? SoundProbability(Below(Z(params, x))) : 0;
}

double LogLogisticUpper(const TVector& params, double x)
{
    return x > 0 ? SoundProbability(Below(-Z(params, x))) : 1;
}

double LogLogisticInverse(const TVector& params, double p)
{
    if (p <= 0 || p >= 1)
        return p <= 0 ? 0 : HUGE_VAL;
    return AtLogit(params, Logit(p, 1 - L(p)));
}

double LogLogisticUpperInverse(const TVector& params, double q)
{
    if (q <= 0 || q >= 1)
        return q >= 1 ? 0 : HUGE_VAL;
    return AtLogit(params, Logit(1 - L(q), q));
}

// The likelihood's maximum: ln x follows the logistic law of location ln alpha and scale
// 1 / beta, whose maximum this is.
void LogLogisticEstimate(const TSampleMoments&, const TVector& data, TVector& params,
                         const TParamSet& which)
{
    if (!which[0] && !which[1])
        return;
    TVector logs(data.size());
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (!(data[i] > 0) || std::isinf(data[i]))
            throw TRefusal("the buffer holds values at or below 0");
        logs[i] = std::log(data[i]);
    }
    TVector logistic{std::log(params[0] > 0 ? params[0] : 1), params[1] > 0 ? 1 / params[1] : 1};
    LogisticMaximise(MomentsOf(logs, false), logs, logistic, which);
    if (which[0])
        StoreEstimate(params, 0, std::exp(L(logistic[0])));
    if (which[1])
        StoreEstimate(params, 1, 1 / L(logistic[1]));
}

namespace {
// alpha^-r E[X^r] = s / sin s with s = r pi / beta, for r < beta.
Quad LogLogisticLogMoment(const TVector& params, int r)
{
    const Quad s = r * QuadPi / static_cast<Quad>(params[1]);
    return logq(s / sinq(s));
}
}  // namespace

TMoments LogLogisticMoments(const TVector& params)
{
    const L alpha = params[0], beta = params[1];
    int finite = 0;
    while (finite < 4 && finite + 1 < beta)
        ++finite;
    TMoments m = MomentsOfScaled(LogLogisticLogMoment, params, finite, 0, alpha);
    m.mode = static_cast<double>(beta > 1 ? alpha * std::exp((std::log1p(-1 / beta) - std::log1p(1 / beta)) / beta)
                                          : 0);
    return m;
}

// ---- Logarithmic tails: ln(1 / (1 + e^-z)) -------------------------------------------------
namespace {
L LogBelow(L z)
{
    return z < 0 ? z - std::log1p(std::exp(z)) : -std::log1p(std::exp(-z));
}
}  // namespace

L LogLogisticLogLower(const TVector& params, double x)
{
    return x > 0 ? LogBelow(Z(params, x)) : -HUGE_VALL;
}

L LogLogisticLogUpper(const TVector& params, double x)
{
    return x > 0 ? LogBelow(-Z(params, x)) : 0;
}
