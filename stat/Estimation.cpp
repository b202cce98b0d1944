// Moment estimates of distribution parameters from a sample.
#include "StatInternal.h"

#include <cmath>

namespace {

bool Nonzero(L v)
{
    return std::fabs(v) > MinPositiveDouble;
}

// Stores an estimate; a floating-point error raised while forming it ends the estimation
// before the store, leaving what was written before.
void Store(TVector& params, int index, L value)
{
    const double stored = Settle(static_cast<double>(value));
    ThrowFloatError(RaisedFloatErrors());
    params[index] = stored;
}
}  // namespace

bool EstimateParams(TDistKind kind, const TVector& data, TVector& params, const TParamSet& which)
{
    const std::size_t n = data.size();
    if (n < 3)
        return false;
    switch (kind) {
    case TDistKind::Cauchy:
    case TDistKind::Beta:
    case TDistKind::Weibull:
    case TDistKind::Pareto:
    case TDistKind::ExtrValue:
        return false;
    default:
        break;
    }
    if (params.size() < static_cast<std::size_t>(ParamCount(kind)))
        throw EStat("Count of parameters was not found");

    FloatScope scope;
    L min = data[0], max = data[0], sum = 0;
    for (double x : data) {
        if (x < min)
            min = x;
        if (x > max)
            max = x;
        sum += x;
    }
    const L m = sum / n;
    L squares = 0;
    for (double x : data)
        squares += (x - m) * (x - m);
    const L s2 = squares / (n - 1);

    switch (kind) {
    case TDistKind::Uniform:
        if (which[0])
            Store(params, 0, min);
        if (which[1])
            Store(params, 1, max);
        break;
    case TDistKind::Normal:
        if (which[0])
            Store(params, 0, m);
        if (which[1])
            Store(params, 1, std::sqrt(s2));
        break;
    case TDistKind::Chi2:
        if (which[0])
            Store(params, 0, std::trunc((m + s2 / 2) / 2));
        break;
    case TDistKind::Student:
        if (which[0])
            Store(params, 0, Nonzero(s2 - 1) ? std::trunc(2 * s2 / (s2 - 1)) : 2);
        break;
    case TDistKind::LogNormal:
        if (which[0])
            Store(params, 0, std::log(m));
        if (which[1]) {
            const L mu = params[0];
            Store(params, 1,
                  std::log(std::exp(mu) + std::sqrt(std::exp(2 * mu) + 4 * s2)) - std::log(2.0L) -
                      mu);
        }
        break;
    case TDistKind::Exponential:
        if (which[0])
            Store(params, 0, Nonzero(m) ? 1 / m : 1);
        break;
    case TDistKind::F:
        // The second degree of freedom comes first: the first one's formula reads it.
        if (which[1])
            Store(params, 1, Nonzero(m - 1) ? std::trunc(2 * m / (m - 1)) : 2);
        if (which[0]) {
            const L d = params[1];
            Store(params, 0,
                  2 * d * d * (d - 2) /
                      (d * d * d * s2 - 8 * d * d * s2 + 20 * d * s2 - 16 * s2 - 2 * d * d));
        }
        break;
    case TDistKind::Logistic:
        if (which[0])
            Store(params, 0, m);
        if (which[1])
            Store(params, 1, std::sqrt(3 * s2 / (Pi * Pi)));
        break;
    case TDistKind::Rayleigh:
        if (which[0])
            Store(params, 0, m / std::sqrt(Pi / 2));
        break;
    default:  // UniformStd and NormalStd have nothing to estimate
        break;
    }
    scope.Close();
    return true;
}
