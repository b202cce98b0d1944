// The probabilities of a sorted sample under a hypothesis, the common ground of the tests on
// the empirical distribution function.
#include <algorithm>

#include "Family.h"

TEdfSample EdfSampleFor(TVector& values, TDistKind kind, const TVector& params,
                        const TParamSet& estimated, std::size_t& first)
{
    CheckKindAndParams(kind, params);
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    std::size_t last = 0;
    first = 0;
    const TFamily& family = Family(kind);
    const int lowerEnd = SupportEndParam(family, TSupportEnd::Lower);
    const int upperEnd = SupportEndParam(family, TSupportEnd::Upper);
    if (lowerEnd >= 0 && estimated[lowerEnd])
        while (first < n && values[first] <= params[lowerEnd])
            ++first;
    if (upperEnd >= 0 && estimated[upperEnd])
        while (last < n - first && values[n - 1 - last] >= params[upperEnd])
            ++last;
    TEdfSample sample;
    sample.lower.resize(n - first - last);
    sample.upper.resize(n - first - last);
    return sample;
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
    std::size_t first = 0;
    TEdfSample sample = EdfSampleFor(sorted, kind, params, estimated, first);
    EdfProbabilities(sorted, first, first + sample.lower.size(), kind, params, sample, 0);
    return sample;
}
