// Moment estimates of distribution parameters from a sample. Each family's estimator (beside
// its functions, see Family.h) solves the kind's mean and variance (N. L. Johnson, S. Kotz,
// N. Balakrishnan, Continuous Univariate Distributions, 2nd ed., Wiley 1994-95) for its
// parameters, with the sample's moments in their place; this file forms the moments.
#include "Family.h"

#include <algorithm>
#include <cmath>

void StoreEstimate(TVector& params, int index, L value)
{
    const double stored = Settle(static_cast<double>(value));
    ThrowFloatError(RaisedFloatErrors());
    params[index] = stored;
}

namespace {
bool AllPositive(const TVector& data)
{
    return std::all_of(data.begin(), data.end(), [](double x) { return x > 0; });
}

// The extremes, mean and variance of the sample, or of its logarithms.
TSampleMoments MomentsOf(const TVector& data, bool logarithms)
{
    const auto value = [&](double x) { return logarithms ? std::log(L(x)) : L(x); };
    TSampleMoments s;
    s.n = data.size();
    s.min = value(data[0]);
    s.max = s.min;
    L sum = 0;
    for (double x : data) {
        const L v = value(x);
        if (v < s.min)
            s.min = v;
        if (v > s.max)
            s.max = v;
        sum += v;
    }
    s.mean = sum / s.n;
    L squares = 0;
    for (double x : data) {
        const L v = value(x);
        squares += (v - s.mean) * (v - s.mean);
    }
    s.variance = squares / (s.n - 1);
    return s;
}

bool Estimate(TDistKind kind, const TVector& data, TVector& params, const TParamSet& which)
{
    CheckKindAndParams(kind, params);
    const TFamily& family = Family(kind);
    if (data.size() < 3 || !family.estimate)
        return false;
    const bool logarithms = family.estimatesFromLogs && (which[0] || which[1]);
    if (logarithms && !AllPositive(data))
        return false;

    FloatScope scope;
    family.estimate(MomentsOf(data, logarithms), data, params, which);
    scope.Close();
    return true;
}
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
