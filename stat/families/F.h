// The F family.
#pragma once

#include "Family.h"

void FChart(const TVector&, double&, double&);
bool FPanelSeries(const TVector& params, double x, double span, simpson::TPanelSeries& series);
void FEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);

// The sound functions (FBetaSound.cpp), for every degree of freedom from 1 to 1e6.
double FSoundDensity(const TVector& params, double x);
double FSoundDistribution(const TVector& params, double x);
double FSoundUpper(const TVector& params, double x);
double FSoundInverse(const TVector& params, double p);
double FSoundUpperInverse(const TVector& params, double q);

inline constexpr TFamily FFamily{
    TDistKind::F,
    {"F-distribution", 2, {"N", "M"},
     {"The count of freedom degrees N1", "The count of freedom degrees N2"}, {1, 1},
     {1023, 1023}},
    0b11,
    {FDensity, FDistribution, FInverse},
    FChart, FEstimate, false,
    // The density reads the whole parts of N and M.
    {FDensity, {2, true, nullptr, FPanelSeries}},
    {DegreesServed, FSoundDensity, FSoundDistribution, FSoundUpper,
     FSoundInverse, FSoundUpperInverse, nullptr, WalkedFromZero}};
