// The Cauchy (Lorentz) family.
#pragma once

#include "Family.h"

void CauchyChart(const TVector&, double&, double&);
void CauchyEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);

// The sound functions: the closed forms in the shapes that keep each tail's precision.
double CauchySoundDensity(const TVector& params, double x);
double CauchySoundDistribution(const TVector& params, double x);
double CauchySoundUpper(const TVector& params, double x);
double CauchySoundInverse(const TVector& params, double p);
double CauchySoundUpperInverse(const TVector& params, double q);
double CauchyWalked(const TVector& params, double x);
bool CauchyNarrowerThanAPanel(const TVector& params);

// The density as the listed distribution and quantile walk it, with its series over a panel.
bool CauchyPanelSeries(const TVector& params, double x, double span, simpson::TPanelSeries& series);
extern const simpson::TIntegrand CauchyGrid;

inline constexpr TFamily CauchyFamily{
    TDistKind::Cauchy,
    {"Cauchy (Lorentz)", 2, {"a", "lambda"}, {"Location parameter", "Scale parameter"},
     {-catalogue::Wide, 0}, {catalogue::Wide, catalogue::Wide}},
    0,
    {CauchyDensity, CauchyDistribution, CauchyInverse},
    CauchyChart, CauchyEstimate, false, {},
    {{{-catalogue::Wide, 0}, {catalogue::Wide, catalogue::Wide}}, CauchySoundDensity,
     CauchySoundDistribution, CauchySoundUpper, CauchySoundInverse, CauchySoundUpperInverse,
     CauchyNarrowerThanAPanel, CauchyWalked, false, CauchySoundInverse}};
