// The chi-square and Student families.
#pragma once

#include "Family.h"

void Chi2Chart(const TVector&, double&, double&);
void StudentChart(const TVector&, double&, double&);
void Chi2Estimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
void StudentEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
simpson::ZeroTail Chi2ZeroTail(const TVector& params, double h);

inline constexpr TFamily Chi2Family{
    TDistKind::Chi2,
    {"Chi2", 1, {"N"}, {"The count of freedom degrees"}, {1}, {1023}},
    {Chi2Density, Chi2Distribution, Chi2Inverse},
    Chi2Chart, Chi2Estimate, false,
    // The density reads the whole part of N.
    {Chi2Density, {1, true, Chi2ZeroTail}},
    {}};

inline constexpr TFamily StudentFamily{
    TDistKind::Student,
    {"Student", 1, {"N"}, {"The count of freedom degrees"}, {1}, {1023}},
    {StudentDensity, StudentDistribution, StudentInverse},
    StudentChart, StudentEstimate, false,
    {StudentDensity, {1, true, nullptr}},
    {}};
