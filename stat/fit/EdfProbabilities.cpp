// The probabilities of a sorted sample under a hypothesis, the common ground of the tests on
// the empirical distribution function.
#include <algorithm>

#include "Stat_Lib.h"

namespace {
// The support ends that an estimate takes from the sample's extremes: the uniform's min and
// max, the Pareto minimum.
bool LowerEndFromSample(TDistKind kind, const TParamSet& estimated)
{
    return (kind == TDistKind::Uniform || kind == TDistKind::Pareto) && estimated[0];
}

bool UpperEndFromSample(TDistKind kind, const TParamSet& estimated)
{
    return kind == TDistKind::Uniform && estimated[1];
}
}  // namespace

void EdfDroppedEnds(const TVector& sorted, TDistKind kind, const TVector& params,
                    const TParamSet& estimated, std::size_t& first, std::size_t& last)
{
    CheckKindAndParams(kind, params);
    const std::size_t n = sorted.size();
    first = last = 0;
    if (LowerEndFromSample(kind, estimated))
        while (first < n && sorted[first] <= params[0])
            ++first;
    if (UpperEndFromSample(kind, estimated))
        while (last < n - first && sorted[n - 1 - last] >= params[1])
            ++last;
}

void EdfProbabilities(const TVector& sorted, std::size_t from, std::size_t to, TDistKind kind,
                      const TVector& params, TEdfSample& sample, std::size_t at)
{
    for (std::size_t i = from; i < to; ++i, ++at) {
        sample.lower[at] = DistEval(kind, TDistFunc::Distribution, params, sorted[i]);
        sample.upper[at] = DistUpper(kind, params, sorted[i]);
    }
}

TEdfSample EdfSample(const TVector& data, TDistKind kind, const TVector& params,
                     const TParamSet& estimated)
{
    TVector sorted = data;
    std::sort(sorted.begin(), sorted.end());
    std::size_t first = 0, last = 0;
    EdfDroppedEnds(sorted, kind, params, estimated, first, last);
    TEdfSample sample;
    const std::size_t kept = sorted.size() - first - last;
    sample.lower.resize(kept);
    sample.upper.resize(kept);
    EdfProbabilities(sorted, first, first + kept, kind, params, sample, 0);
    return sample;
}
