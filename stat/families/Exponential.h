// The exponential family.
#pragma once

#include "Family.h"

void ExponentialChart(const TVector&, double&, double&);
void ExponentialEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
double ExponentialSoundDensity(const TVector& params, double x);
double ExponentialSoundDistribution(const TVector& params, double x);
double ExponentialSoundUpper(const TVector& params, double x);
double ExponentialSoundInverse(const TVector& params, double p);
double ExponentialSoundUpperInverse(const TVector& params, double q);

inline constexpr TFamily ExponentialFamily{
    TDistKind::Exponential,
    {"Exponential", 1, {"Lambda"}, {"Rate parameter"}, {0}, {catalogue::Big}},
    0,
    {ExponentialDensity, ExponentialDistribution, ExponentialInverse},
    ExponentialChart, ExponentialEstimate, false, {},
    {{{0}, {catalogue::Big}}, ExponentialSoundDensity, ExponentialSoundDistribution,
     ExponentialSoundUpper, ExponentialSoundInverse, ExponentialSoundUpperInverse}};
