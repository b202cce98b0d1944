// The Weibull family.
#pragma once

#include "Family.h"

void WeibullChart(const TVector&, double&, double&);
void WeibullEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
double WeibullSoundDensity(const TVector& params, double x);
double WeibullSoundDistribution(const TVector& params, double x);
double WeibullSoundUpper(const TVector& params, double x);
double WeibullSoundInverse(const TVector& params, double p);
double WeibullSoundUpperInverse(const TVector& params, double q);

inline constexpr TFamily WeibullFamily{
    TDistKind::Weibull,
    {"Weibull", 2, {"k", "lambda"}, {"Shape parameter", "Scale parameter"}, {0, 0},
     {709, catalogue::Big}},
    0,
    {WeibullDensity, WeibullDistribution, WeibullInverse},
    WeibullChart, WeibullEstimate, false, {},
    {{{0, 0}, {709, catalogue::Big}}, WeibullSoundDensity, WeibullSoundDistribution,
     WeibullSoundUpper, WeibullSoundInverse, WeibullSoundUpperInverse}};
