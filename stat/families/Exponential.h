// The exponential family.
#pragma once

#include "Family.h"

void ExponentialChart(const TVector&, double&, double&);
void ExponentialEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);

inline constexpr TFamily ExponentialFamily{
    TDistKind::Exponential,
    {"Exponential", 1, {"Lambda"}, {"Rate parameter"}, {0}, {catalogue::Big}},
    {ExponentialDensity, ExponentialDistribution, ExponentialInverse},
    ExponentialChart, ExponentialEstimate, false, {}, {}};
