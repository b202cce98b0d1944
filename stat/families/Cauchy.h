// The Cauchy (Lorentz) family.
#pragma once

#include "Family.h"

void CauchyChart(const TVector&, double&, double&);

// The sound functions: the closed forms in the shape that keeps each tail's precision.
double CauchySoundDistribution(const TVector& params, double x);
double CauchySoundInverse(const TVector& params, double p);
bool CauchyCap(const TVector& params, double p, double& at, bool& upward);
bool CauchyNarrowerThanAPanel(const TVector& params);
double FromLocation(const TVector& params);

inline constexpr TFamily CauchyFamily{
    TDistKind::Cauchy,
    {"Cauchy (Lorentz)", 2, {"a", "lambda"}, {"Location parameter", "Scale parameter"},
     {-catalogue::Wide, 0}, {catalogue::Wide, catalogue::Wide}},
    {CauchyDensity, CauchyDistribution, CauchyInverse},
    CauchyChart, nullptr, false, {},
    {nullptr, CauchySoundDistribution, CauchySoundInverse, CauchyCap, CauchyNarrowerThanAPanel,
     FromLocation, true, false}};
