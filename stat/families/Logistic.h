// The logistic family.
#pragma once

#include "Family.h"

void LogisticChart(const TVector&, double&, double&);
void LogisticEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
double LogisticSoundDensity(const TVector& params, double x);
double LogisticSoundDistribution(const TVector& params, double x);
double LogisticSoundUpper(const TVector& params, double x);
double LogisticSoundInverse(const TVector& params, double p);
double LogisticSoundUpperInverse(const TVector& params, double q);

inline constexpr TFamily LogisticFamily{
    TDistKind::Logistic,
    {"Logistic", 2, {"mu", "s"}, {"Middle value", "Scale parameter"}, {-catalogue::Big, 0},
     {catalogue::Big, catalogue::Big}},
    0,
    {LogisticDensity, LogisticDistribution, LogisticInverse},
    LogisticChart, LogisticEstimate, false, {},
    {{{-catalogue::Big, 0}, {catalogue::Big, catalogue::Big}}, LogisticSoundDensity,
     LogisticSoundDistribution, LogisticSoundUpper, LogisticSoundInverse,
     LogisticSoundUpperInverse}};
