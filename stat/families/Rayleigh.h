// The Rayleigh family.
#pragma once

#include "Family.h"

void RayleighChart(const TVector&, double&, double&);
void RayleighEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
double RayleighSoundDensity(const TVector& params, double x);
double RayleighSoundDistribution(const TVector& params, double x);
double RayleighSoundUpper(const TVector& params, double x);
double RayleighSoundInverse(const TVector& params, double p);
double RayleighSoundUpperInverse(const TVector& params, double q);

inline constexpr TFamily RayleighFamily{
    TDistKind::Rayleigh,
    {"Rayleigh", 1, {"ro"}, {"Scale parameter"}, {0}, {catalogue::Wide}},
    0,
    {RayleighDensity, RayleighDistribution, RayleighInverse},
    RayleighChart, RayleighEstimate, false, {},
    {{{0}, {catalogue::Wide}}, RayleighSoundDensity, RayleighSoundDistribution,
     RayleighSoundUpper, RayleighSoundInverse, RayleighSoundUpperInverse}};
