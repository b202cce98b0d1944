// Estimates of distribution parameters from a sample. Each family's estimator stands beside
// its functions (see Family.h): moments where they hold the fitting test's level (the mean and
// variance solved for the parameters, N. L. Johnson, S. Kotz and N. Balakrishnan, Continuous
// Univariate Distributions, 2nd ed., Wiley 1994-95), maximum likelihood elsewhere; beside the
// moments, the family's maximum of the likelihood. This file forms the sample's moments, runs
// the estimator and checks what it gives.
#include "Family.h"
#include "NumberFormat.h"

#include <algorithm>
#include <cmath>

void StoreEstimate(TVector& params, int index, L value)
{
    const double stored = Settle(static_cast<double>(value));
    ThrowFloatError(RaisedFloatErrors());
    params[index] = stored;
}

std::vector<double> SortedSample(const TVector& data)
{
    std::vector<double> sorted(data.begin(), data.end());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

L SortedQuantile(const std::vector<double>& sorted, L p)
{
    const L at = (sorted.size() - 1) * p;
    const std::size_t below = static_cast<std::size_t>(at);
    const L part = at - below;
    if (below + 1 >= sorted.size())
        return sorted.back();
    return sorted[below] + part * (L(sorted[below + 1]) - sorted[below]);
}

namespace {
bool AllPositive(const TVector& data)
{
    return std::all_of(data.begin(), data.end(), [](double x) { return x > 0; });
}

// The names of the parameters in `which`, as "mu and ro" or "N".
std::string NamesOf(TDistKind kind, const TParamSet& which)
{
    std::string names;
    int listed = 0, count = 0;
    for (int i = 0; i < ParamCount(kind); ++i)
        count += which[i];
    for (int i = 0; i < ParamCount(kind); ++i) {
        if (!which[i])
            continue;
        ++listed;
        names += std::string(listed == 1 ? "" : listed == count ? " and " : ", ") +
                 Family(kind).params[i].name;
    }
    return names;
}

// The message of a refusal: which parameters cannot be estimated, and why.
std::string Refusal(TDistKind kind, const TParamSet& which, const std::string& reason)
{
    return NamesOf(kind, which) + " cannot be estimated: " + reason + ".";
}
}  // namespace

namespace {
// Runs an estimator of the kind (its listed estimates, or the likelihood's maximum) and checks
// what it gives.
bool Estimate(TDistKind kind, TEstimator estimator, const TVector& data, TVector& params,
              const TParamSet& which, std::string& refusal)
{
    CheckKindAndParams(kind, params);
    refusal.clear();
    const TFamily& family = Family(kind);
    if (data.size() < 3)
        return false;
    bool any = false;
    for (int i = 0; i < ParamCount(kind); ++i)
        any = any || which[i];
    const bool logarithms = family.estimateFromLogs && any;
    if (logarithms && !AllPositive(data)) {
        refusal = Refusal(kind, which, "the buffer holds values at or below 0");
        return false;
    }
    const TVector given = params;
    FloatScope scope;
    try {
        if (estimator)
            estimator(MomentsOf(data, logarithms), data, params, which);
    } catch (const TRefusal& r) {
        scope.End();
        params = given;
        refusal = Refusal(kind, which, r.what());
        return false;
    }
    scope.Close();
    for (int i = 0; i < ParamCount(kind); ++i)
        if (which[i] && !ServedParam(family.params[i], params[i])) {
            TParamSet one;
            one.set(i);
            refusal = Refusal(kind, one, "the estimate " + FormatGeneral(params[i], '.') +
                                             " lies outside the values it may take");
            params = given;
            return false;
        }
    return true;
}

}  // namespace

bool EstimateParams(TDistKind kind, const TVector& data, TVector& params, const TParamSet& which,
                    std::string& refusal)
{
    CheckKind(kind);
    return Estimate(kind, Family(kind).estimate, data, params, which, refusal);
}

bool MaximiseLikelihood(TDistKind kind, const TVector& data, TVector& params,
                        const TParamSet& which, std::string& refusal)
{
    CheckKind(kind);
    const TFamily& family = Family(kind);
    return Estimate(kind, family.maximise ? family.maximise : family.estimate, data, params, which,
                    refusal);
}

bool EstimateParams(TDistKind kind, const TVector& data, TVector& params, const TParamSet& which)
{
    std::string refusal;
    return EstimateParams(kind, data, params, which, refusal);
}
