// The Beta family.
#pragma once

#include "Family.h"

void BetaChart(const TVector&, double&, double&);

// The sound functions: the incomplete Beta function, quantiles by its bisection.
double BetaSoundDensity(const TVector& params, double x);
double BetaSoundDistribution(const TVector& params, double x);
double BetaSoundInverse(const TVector& params, double p);
bool BetaCap(const TVector& params, double p, double& at, bool& upward);
bool BetaPeakBelowTheRange(const TVector& params);

inline constexpr TFamily BetaFamily{
    TDistKind::Beta,
    {"Beta", 2, {"alpha", "beta"}, {"Alpha shape parameter", "Beta shape parameter"}, {0, 0},
     {709, 709}},
    {BetaDensity, BetaDistribution, BetaInverse},
    BetaChart, nullptr, false, {},
    {BetaSoundDensity, BetaSoundDistribution, BetaSoundInverse, BetaCap, BetaPeakBelowTheRange}};
