// The generalised extreme value family.
#pragma once

#include "Family.h"

void ExtrValueChart(const TVector&, double&, double&);

inline constexpr TFamily ExtrValueFamily{
    TDistKind::ExtrValue,
    {"ExtrValue", 3, {"mu", "ro", "xi"},
     {"Location parameter", "Scale parameter", "Shape parameter"},
     {-catalogue::Big, 0, -709}, {catalogue::Big, catalogue::Big, 709}},
    {ExtrValueDensity, ExtrValueDistribution, ExtrValueInverse},
    ExtrValueChart, nullptr, false, {}, {}};
