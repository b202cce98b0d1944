// Moment estimates of distribution parameters from a sample: each formula solves the kind's
// mean and variance (N. L. Johnson, S. Kotz, N. Balakrishnan, Continuous Univariate
// Distributions, 2nd ed., Wiley 1994-95) for its parameters, with the sample's mean m and
// variance s2 (divisor n - 1) in their place:
// - Chi2: mean N, variance 2N; the average of the two estimates, (m + s2 / 2) / 2.
// - Student: variance N / (N - 2), so N = 2 s2 / (s2 - 1).
// - F: mean M / (M - 2), so M = 2 m / (m - 1); the variance
//   2 M^2 (N + M - 2) / (N (M - 2)^2 (M - 4)) then gives N.
// - Exponential: mean 1 / lambda. Logistic: variance pi^2 s^2 / 3. Rayleigh: mean
//   ro sqrt(pi / 2). Normal and the log-normal's logarithms: mean and standard deviation.
#include "StatInternal.h"

#include <algorithm>
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

// Degrees of freedom: the nearest whole number, halves away from zero.
L Whole(L v)
{
    return std::round(v);
}

bool AllPositive(const TVector& data)
{
    return std::all_of(data.begin(), data.end(), [](double x) { return x > 0; });
}

bool Estimate(TDistKind kind, const TVector& data, TVector& params, const TParamSet& which);
}  // namespace

// An estimate outside its parameter's bounds (a negative Student N from a variance below 1,
// an F degree of freedom of 0) cannot be tested with: the estimation fails, and nothing it
// wrote is kept.
bool EstimateParams(TDistKind kind, const TVector& data, TVector& params, const TParamSet& which)
{
    const TVector given = params;
    if (!Estimate(kind, data, params, which))
        return false;
    for (int i = 0; i < ParamCount(kind); ++i)
        if (which[i] && !DistParamValid(kind, i, params[i])) {
            params = given;
            return false;
        }
    return true;
}

namespace {
bool Estimate(TDistKind kind, const TVector& data, TVector& params, const TParamSet& which)
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
    // The log-normal is estimated from the logarithms of the data.
    const bool logarithms = kind == TDistKind::LogNormal && (which[0] || which[1]);
    if (logarithms && !AllPositive(data))
        return false;

    FloatScope scope;
    const auto value = [&](double x) { return logarithms ? std::log(L(x)) : L(x); };
    L min = value(data[0]), max = min, sum = 0;
    for (double x : data) {
        const L v = value(x);
        if (v < min)
            min = v;
        if (v > max)
            max = v;
        sum += v;
    }
    const L m = sum / n;
    L squares = 0;
    for (double x : data) {
        const L v = value(x);
        squares += (v - m) * (v - m);
    }
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
            Store(params, 0, Whole((m + s2 / 2) / 2));
        break;
    case TDistKind::Student:
        if (which[0])
            Store(params, 0, Nonzero(s2 - 1) ? Whole(2 * s2 / (s2 - 1)) : 2);
        break;
    case TDistKind::LogNormal:
        // mu: the mean of the logarithms; ro: their deviations from mu (estimated, or as
        // given), over n - 1.
        if (which[0])
            Store(params, 0, m);
        if (which[1]) {
            const L mu = params[0];
            L around = 0;
            for (double x : data) {
                const L v = value(x);
                around += (v - mu) * (v - mu);
            }
            Store(params, 1, std::sqrt(around / (n - 1)));
        }
        break;
    case TDistKind::Exponential:
        if (which[0])
            Store(params, 0, Nonzero(m) ? 1 / m : 1);
        break;
    case TDistKind::F:
        // The second degree of freedom comes first: the first one's formula reads it.
        if (which[1])
            Store(params, 1, Nonzero(m - 1) ? Whole(2 * m / (m - 1)) : 2);
        if (which[0]) {
            const L d = params[1];
            Store(params, 0,
                  Whole(2 * d * d * (d - 2) /
                        (d * d * d * s2 - 8 * d * d * s2 + 20 * d * s2 - 16 * s2 - 2 * d * d)));
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
}  // namespace
