// The Pareto family.
#pragma once

#include "Family.h"

void ParetoChart(const TVector&, double&, double&);

inline constexpr TFamily ParetoFamily{
    TDistKind::Pareto,
    {"Pareto", 2, {"xm", "alpha"}, {"Minimal value", "Shape alpha parameter"}, {0, 0},
     {catalogue::Big, 709}},
    {ParetoDensity, ParetoDistribution, ParetoInverse},
    ParetoChart, nullptr, false, {}, {}};
