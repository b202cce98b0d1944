// The family rows, in catalogue order, and the lookups the rest of the library makes in them.
#include "Family.h"

namespace {
// The standard families have no parameters to estimate: an estimation succeeds and writes
// nothing.
void NothingToEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&) {}

constexpr TFamilyRow Rows[DistKindCount] = {
    {UniformStdChart, NothingToEstimate, false},
    {UniformChart, UniformEstimate, false},
    {NormalStdChart, NothingToEstimate, false},
    {NormalChart, NormalEstimate, false},
    {Chi2Chart, Chi2Estimate, false},
    {StudentChart, StudentEstimate, false},
    {LogNormalChart, LogNormalEstimate, true},
    {ExponentialChart, ExponentialEstimate, false},
    {FChart, FEstimate, false},
    {CauchyChart, nullptr, false},
    {LogisticChart, LogisticEstimate, false},
    {BetaChart, nullptr, false},
    {RayleighChart, RayleighEstimate, false},
    {WeibullChart, nullptr, false},
    {ParetoChart, nullptr, false},
    {ExtrValueChart, nullptr, false},
};
}  // namespace

const TFamilyRow& Family(TDistKind kind)
{
    return Rows[KindIndex(kind)];
}

void ChartRange(TDistKind kind, const TVector& params, double& lo, double& hi)
{
    CheckKindAndParams(kind, params);
    FloatChecked([&] { Family(kind).chartRange(params, lo, hi); });
}

