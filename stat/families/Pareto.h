// The Pareto family.
#pragma once

#include "Family.h"

void ParetoChart(const TVector&, double&, double&);
void ParetoEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
double ParetoSoundDensity(const TVector& params, double x);
double ParetoSoundDistribution(const TVector& params, double x);
double ParetoSoundUpper(const TVector& params, double x);
double ParetoSoundInverse(const TVector& params, double p);
double ParetoSoundUpperInverse(const TVector& params, double q);

inline constexpr TFamily ParetoFamily{
    TDistKind::Pareto,
    {"Pareto", 2, {"xm", "alpha"}, {"Minimal value", "Shape alpha parameter"}, {0, 0},
     {catalogue::Big, 709}},
    0b01,
    {ParetoDensity, ParetoDistribution, ParetoInverse},
    ParetoChart, ParetoEstimate, false, {},
    {{{0, 0}, {catalogue::Big, 709}}, ParetoSoundDensity, ParetoSoundDistribution,
     ParetoSoundUpper, ParetoSoundInverse, ParetoSoundUpperInverse},
    0};
