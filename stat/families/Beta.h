// The Beta family.
#pragma once

#include "Family.h"

// The kernel as the listed distribution and quantile walk it, with its series over a panel.
bool BetaPanelSeries(const TVector& params, double x, double span, simpson::TPanelSeries& series);
extern const simpson::TIntegrand BetaKernelGrid;

void BetaChart(const TVector&, double&, double&);
void BetaEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);

// The sound functions (FBetaSound.cpp), and the shapes the listed grid cannot resolve.
double BetaSoundDensity(const TVector& params, double x);
double BetaSoundDistribution(const TVector& params, double x);
double BetaSoundUpper(const TVector& params, double x);
double BetaSoundInverse(const TVector& params, double p);
double BetaSoundUpperInverse(const TVector& params, double q);
bool BetaPeakBelowTheRange(const TVector& params);

inline constexpr TFamily BetaFamily{
    TDistKind::Beta,
    {"Beta", 2, {"alpha", "beta"}, {"Alpha shape parameter", "Beta shape parameter"}, {0, 0},
     {709, 709}},
    0,
    {BetaDensity, BetaDistribution, BetaInverse},
    BetaChart, BetaEstimate, false, {},
    {{{0, 0}, {709, 709}}, BetaSoundDensity, BetaSoundDistribution, BetaSoundUpper,
     BetaSoundInverse, BetaSoundUpperInverse, BetaPeakBelowTheRange}};
