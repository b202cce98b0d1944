// What the rest of the library needs of each family beside its three functions, as one row per
// kind (stat/dist/Families.cpp): the chart's range, the moment estimator and what the Simpson
// grids need to know of the density they integrate. Each family defines its own entries in its
// own file.
#pragma once

#include <cstddef>

#include "SimpsonWalk.h"
#include "StatInternal.h"

// The moments of a sample (of its logarithms for the log-normal), in extended precision:
// extremes, mean and variance with divisor n - 1.
struct TSampleMoments {
    L min = 0, max = 0, mean = 0, variance = 0;
    std::size_t n = 0;
};

using TChartRange = void (*)(const TVector& params, double& lo, double& hi);
using TEstimator = void (*)(const TSampleMoments& s, const TVector& data, TVector& params,
                            const TParamSet& which);

struct TFamilyRow {
    TChartRange chartRange;
    TEstimator estimate;       // nullptr: the family has no moment estimates
    bool estimatesFromLogs;    // the moments are those of the logarithms of the data
};

const TFamilyRow& Family(TDistKind kind);

// Stores an estimate; a floating-point error raised while forming it ends the estimation
// before the store, leaving what was written before.
void StoreEstimate(TVector& params, int index, L value);
// A degrees-of-freedom estimate: the nearest whole number, halves away from zero.
inline L WholeEstimate(L v)
{
    return std::round(v);
}
inline bool NonzeroEstimate(L v)
{
    return std::fabs(v) > MinPositiveDouble;
}

// The families' entries, each defined beside the family's functions.
void UniformStdChart(const TVector&, double&, double&);
void UniformChart(const TVector&, double&, double&);
void NormalStdChart(const TVector&, double&, double&);
void NormalChart(const TVector&, double&, double&);
void Chi2Chart(const TVector&, double&, double&);
void StudentChart(const TVector&, double&, double&);
void LogNormalChart(const TVector&, double&, double&);
void ExponentialChart(const TVector&, double&, double&);
void FChart(const TVector&, double&, double&);
void CauchyChart(const TVector&, double&, double&);
void LogisticChart(const TVector&, double&, double&);
void BetaChart(const TVector&, double&, double&);
void RayleighChart(const TVector&, double&, double&);
void WeibullChart(const TVector&, double&, double&);
void ParetoChart(const TVector&, double&, double&);
void ExtrValueChart(const TVector&, double&, double&);

void UniformEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
void NormalEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
void Chi2Estimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
void StudentEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
void LogNormalEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
void ExponentialEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
void FEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
void LogisticEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
void RayleighEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);

simpson::ZeroTail NormalStdZeroTail(const TVector& params, double h);
simpson::ZeroTail LogNormalZeroTail(const TVector& params, double h);
simpson::ZeroTail Chi2ZeroTail(const TVector& params, double h);
