// The F family.
#pragma once

#include "Family.h"

void FChart(const TVector&, double&, double&);
void FEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);

// The sound functions: the incomplete Beta function I_y(n/2, m/2) with y = n x / (n x + m).
double FSoundDistribution(const TVector& params, double x);
double FSoundInverse(const TVector& params, double p);
bool FCapAt(const TVector& params, double p, double& at, bool& upward);

inline constexpr TFamily FFamily{
    TDistKind::F,
    {"F-distribution", 2, {"N", "M"},
     {"The count of freedom degrees N1", "The count of freedom degrees N2"}, {1, 1},
     {1023, 1023}},
    {FDensity, FDistribution, FInverse},
    FChart, FEstimate, false,
    // The density reads the whole parts of N and M.
    {FDensity, {2, true, nullptr}},
    // The quantile search stops at 50 of itself.
    {nullptr, FSoundDistribution, FSoundInverse, FCapAt, nullptr, FromZero, false, false}};
