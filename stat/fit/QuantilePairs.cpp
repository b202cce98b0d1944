// The points of the quantile-quantile and probability-probability plots of a sample against
// a hypothesis.
#include <algorithm>
#include <cmath>

#include "Fit_Lib.h"

TQuantilePairs QuantilePairs(const TVector& sorted, TDistKind kind, const TVector& params,
                             std::size_t points)
{
    CheckKindAndParams(kind, params);
    TQuantilePairs q;
    const std::size_t n = sorted.size();
    const std::size_t m = std::min(n, points);
    if (m == 0)
        return q;
    for (std::size_t j = 0; j < m; ++j) {
        const std::size_t i = m == 1 ? 0 : static_cast<std::size_t>(
                                               (static_cast<long double>(j) * (n - 1)) / (m - 1) + 0.5L);
        const double p = (i + 0.5) / n;
        q.sample.push_back(sorted[i]);
        q.hypothesised.push_back(DistEval(kind, TDistFunc::Inverse, params, p));
        q.empirical.push_back(p);
        q.probabilities.push_back(DistEval(kind, TDistFunc::Distribution, params, sorted[i]));
    }
    return q;
}

void AddQuantileBand(TQuantilePairs& pairs, TDistKind kind, const TVector& params,
                     double halfWidth)
{
    CheckKindAndParams(kind, params);
    const auto quantile = [&](double p) {
        return p > 0 && p < 1 ? DistEval(kind, TDistFunc::Inverse, params, p) : HUGE_VAL - HUGE_VAL;
    };
    pairs.bandLower.clear();
    pairs.bandUpper.clear();
    for (double p : pairs.empirical) {
        pairs.bandLower.push_back(quantile(p - halfWidth));
        pairs.bandUpper.push_back(quantile(p + halfWidth));
    }
}
