// The Rayleigh family.
#pragma once

#include "Family.h"

void RayleighChart(const TVector&, double&, double&);
void RayleighEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);

inline constexpr TFamily RayleighFamily{
    TDistKind::Rayleigh,
    {"Rayleigh", 1, {"ro"}, {"Scale parameter"}, {0}, {catalogue::Wide}},
    {RayleighDensity, RayleighDistribution, RayleighInverse},
    RayleighChart, RayleighEstimate, false, {}, {}};
