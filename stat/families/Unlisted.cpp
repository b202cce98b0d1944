// The threshold variants' estimates.
#include "Maximise.h"
#include "Unlisted.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// The base's likelihood's maximum of x - x0 for the parameters in `which` (not x0, the last),
// and x - x0 (as the kind's functions form it) in `shifted`.
// x - x0 of every value, refused where one is not above x0.
void Shift(const TVector& data, double threshold, TVector& shifted)
{
    const L x0 = threshold;
    shifted.resize(data.size());
    for (std::size_t i = 0; i < data.size(); ++i) {
        shifted[i] = static_cast<double>(data[i] - x0);
        if (!(shifted[i] > 0))
            throw TRefusal("the buffer holds values at or below x0");
    }
}

// The base's parameters to estimate: the kind's, but for x0 (at `index`).
TParamSet BaseWhich(TParamSet which, int index)
{
    which.reset(index);
    return which;
}

void BaseMaximum(const TFamily& base, const TVector& data, TVector& params, const TParamSet& which,
                 TVector& shifted)
{
    Shift(data, params.back(), shifted);
    TVector baseParams(params.begin(), params.end() - 1);
    const TEstimator maximum = base.maximise ? base.maximise : base.estimate;
    maximum(MomentsOf(shifted, base.estimateFromLogs), shifted, baseParams,
            BaseWhich(which, static_cast<int>(params.size()) - 1));
    for (std::size_t i = 0; i < baseParams.size(); ++i)
        params[i] = baseParams[i];
}

// One rung of the ladder of thresholds smallest - e^u: the log-likelihood there with the others
// at their maximum, and F(x(1)) - 1 / (n + 1); both NaN where the others cannot be fitted.
struct TRung {
    L u, logLikelihood, excess;
    bool Fitted() const { return !std::isnan(logLikelihood); }
};
}  // namespace

void ShiftedEstimate(const TFamily& family, const TFamily& base, const TVector& data,
                     TVector& params, const TParamSet& which)
{
    const int index = ParamsOf(family) - 1;
    TVector shifted;
    const auto fitOthers = [&](TVector& at) { BaseMaximum(base, data, at, which, shifted); };
    if (which.none())
        return;
    if (!which[index]) {
        fitOthers(params);
        return;
    }
    const double smallest = *std::min_element(data.begin(), data.end());
    const double span = *std::max_element(data.begin(), data.end()) - smallest;
    if (!(span > 0))
        throw TRefusal("all values are equal");
    const L expected = 1 / L(data.size() + 1);
    TVector at = params;
    const auto rungAt = [&](L u) {
        const L nan = std::numeric_limits<L>::quiet_NaN();
        TRung rung{u, nan, nan};
        at[index] = static_cast<double>(smallest - std::exp(u));
        if (!(at[index] < smallest))
            return rung;
        try {
            FloatScope scope;
            L sum = 0;
            if (base.maximumLikelihood) {
                Shift(data, at.back(), shifted);
                TVector baseParams(at.begin(), at.end() - 1);
                sum = base.maximumLikelihood(shifted, baseParams, BaseWhich(which, index));
                std::copy(baseParams.begin(), baseParams.end(), at.begin());
            } else {
                fitOthers(at);
                // The kind's log-density at x is the base's at x - x0, the values just shifted.
                const TVector baseParams(at.begin(), at.end() - 1);
                for (double y : shifted)
                    sum += base.sound.logDensity(baseParams, y);
            }
            const L excess = family.sound.distribution(at, smallest) - expected;
            if (scope.End() == 0 && std::isfinite(sum))
                rung = {u, sum, excess};
        } catch (const std::exception&) {
        }
        return rung;
    };
    // The ladder, from far below the data (the profile near the limit of a law without a
    // threshold) to within a hundred millionth of the span of the smallest value.
    const L top = std::log(L(span)) + 3;
    std::vector<TRung> ladder;
    for (int j = 0; j <= 10; ++j)
        ladder.push_back(rungAt(top - 2 * j));
    // The largest local maximum of the profile on the ladder, refined between its neighbours.
    bool found = false;
    L best = -HUGE_VALL, bestU = 0;
    for (std::size_t j = 1; j + 1 < ladder.size(); ++j) {
        const TRung &far = ladder[j - 1], &rung = ladder[j], &near = ladder[j + 1];
        if (!far.Fitted() || !rung.Fitted() || !near.Fitted() ||
            rung.logLikelihood < far.logLikelihood || !(rung.logLikelihood > near.logLikelihood))
            continue;
        const L u = BrentMaximum([&](L v) { return rungAt(v).logLikelihood; }, near.u, far.u,
                                 1e-9L);
        const TRung refined = rungAt(u);
        if (refined.Fitted() && refined.logLikelihood > best) {
            best = refined.logLikelihood;
            bestU = u;
            found = true;
        }
    }
    if (!found) {
        // The modified maximum likelihood: the root of the excess nearest the data, where the
        // fitted law first gives the smallest value its expected probability.
        std::size_t j = ladder.size() - 1;
        while (j > 0 && !(ladder[j].Fitted() && ladder[j - 1].Fitted() &&
                          ladder[j].excess <= 0 && ladder[j - 1].excess > 0))
            --j;
        if (j == 0)
            throw TRefusal("the data do not rise from a threshold below them");
        const L lo = ladder[j].u, hi = ladder[j - 1].u;
        bestU = RootOf(
            [&](L v) {
                const TRung r = rungAt(v);
                return r.Fitted() ? r.excess : L(-1);
            },
            lo, hi);
    }
    const TRung chosen = rungAt(bestU);
    if (!chosen.Fitted())
        throw TRefusal("the likelihood has no maximum");
    for (std::size_t i = 0; i < params.size(); ++i)
        if (which[i])
            StoreEstimate(params, i, at[i]);
}
