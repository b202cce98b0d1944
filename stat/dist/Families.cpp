// The family rows, in catalogue order, and the lookups the rest of the library makes in them.
#include "Family.h"

namespace {
// The standard families have no parameters to estimate: an estimation succeeds and writes
// nothing.
void NothingToEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&) {}

// Grid facts: the parameters a density reads (-1: all), whether it reads their whole parts,
// and where it is 0 for good.
constexpr simpson::TDensityFacts NoGrid{};

constexpr TFamilyRow Rows[DistKindCount] = {
    {UniformStdChart, NothingToEstimate, false, nullptr, NoGrid},
    {UniformChart, UniformEstimate, false, nullptr, NoGrid},
    // Every normal is integrated on the standard normal's grid.
    {NormalStdChart, NothingToEstimate, false, NormalStdDensity, {0, false, NormalStdZeroTail}},
    {NormalChart, NormalEstimate, false, nullptr, NoGrid},
    {Chi2Chart, Chi2Estimate, false, Chi2Density, {1, true, Chi2ZeroTail}},
    {StudentChart, StudentEstimate, false, StudentDensity, {1, true, nullptr}},
    {LogNormalChart, LogNormalEstimate, true, LogNormalDensity, {-1, false, LogNormalZeroTail}},
    {ExponentialChart, ExponentialEstimate, false, nullptr, NoGrid},
    {FChart, FEstimate, false, FDensity, {2, true, nullptr}},
    {CauchyChart, nullptr, false, nullptr, NoGrid},
    {LogisticChart, LogisticEstimate, false, nullptr, NoGrid},
    {BetaChart, nullptr, false, nullptr, NoGrid},
    {RayleighChart, RayleighEstimate, false, nullptr, NoGrid},
    {WeibullChart, nullptr, false, nullptr, NoGrid},
    {ParetoChart, nullptr, false, nullptr, NoGrid},
    {ExtrValueChart, nullptr, false, nullptr, NoGrid},
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

namespace simpson {
const TDensityFacts& DensityFacts(TDistHandler density)
{
    for (const TFamilyRow& row : Rows)
        if (row.density && row.density == density)
            return row.facts;
    return NoGrid;
}
}  // namespace simpson
