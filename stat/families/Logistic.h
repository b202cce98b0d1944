// The logistic family.
#pragma once

#include "Family.h"

void LogisticChart(const TVector&, double&, double&);
void LogisticEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);

inline constexpr TFamily LogisticFamily{
    TDistKind::Logistic,
    {"Logistic", 2, {"mu", "s"}, {"Middle value", "Scale parameter"}, {-catalogue::Big, 0},
     {catalogue::Big, catalogue::Big}},
    {LogisticDensity, LogisticDistribution, LogisticInverse},
    LogisticChart, LogisticEstimate, false, {}, {}};
