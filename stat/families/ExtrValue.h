// The generalised extreme value family.
#pragma once

#include "Family.h"

void ExtrValueChart(const TVector&, double&, double&);
void ExtrValueEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
double ExtrValueSoundDensity(const TVector& params, double x);
double ExtrValueSoundDistribution(const TVector& params, double x);
double ExtrValueSoundUpper(const TVector& params, double x);
double ExtrValueSoundInverse(const TVector& params, double p);
double ExtrValueSoundUpperInverse(const TVector& params, double q);

inline constexpr TFamily ExtrValueFamily{
    TDistKind::ExtrValue,
    {"ExtrValue", 3, {"mu", "ro", "xi"},
     {"Location parameter", "Scale parameter", "Shape parameter"},
     {-catalogue::Big, 0, -709}, {catalogue::Big, catalogue::Big, 709}},
    0,
    {ExtrValueDensity, ExtrValueDistribution, ExtrValueInverse},
    ExtrValueChart, ExtrValueEstimate, false, {},
    {{{-catalogue::Big, 0, -709}, {catalogue::Big, catalogue::Big, 709}}, ExtrValueSoundDensity,
     ExtrValueSoundDistribution, ExtrValueSoundUpper, ExtrValueSoundInverse,
     ExtrValueSoundUpperInverse}};
