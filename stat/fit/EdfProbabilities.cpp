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

TEdfSample EdfSampleFor(TVector& values, TDistKind kind, const TVector& params,
                        const TParamSet& estimated, std::size_t& first)
{
    CheckKindAndParams(kind, params);
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    std::size_t last = 0;
    first = 0;
    if (LowerEndFromSample(kind, estimated))
        while (first < n && values[first] <= params[0])
            ++first;
    if (UpperEndFromSample(kind, estimated))
        while (last < n - first && values[n - 1 - last] >= params[1])
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
