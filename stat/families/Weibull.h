// The Weibull family.
#pragma once

#include "Family.h"

void WeibullChart(const TVector&, double&, double&);

inline constexpr TFamily WeibullFamily{
    TDistKind::Weibull,
    {"Weibull", 2, {"k", "lambda"}, {"Shape parameter", "Scale parameter"}, {0, 0},
     {709, catalogue::Big}},
    {WeibullDensity, WeibullDistribution, WeibullInverse},
    WeibullChart, nullptr, false, {}, {}};
