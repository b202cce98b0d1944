// The Beta family.
#pragma once

#include "Family.h"

double BetaKernel(const TVector& params, double x);         // x^(alpha-1) (1-x)^(beta-1)
double BetaKernelInRange(const TVector& params, double x);  // the kernel on (0, 1), else 0
double BetaNorm(const TVector& params);                     // stands for B(alpha, beta)

// The kernel as the listed distribution and quantile walk it, with its series over a panel.
bool BetaPanelSeries(const TVector& params, double x, double span, simpson::TPanelSeries& series);
extern const simpson::TIntegrand BetaKernelGrid;

void BetaChart(const TVector&, double&, double&);
void BetaEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);

// The sound functions (FBetaSound.cpp), and the shapes the listed grid cannot resolve.
double BetaSoundDensity(const TVector& params, double x);
L BetaLogDensity(const TVector& params, double x);
double BetaSoundDistribution(const TVector& params, double x);
double BetaSoundUpper(const TVector& params, double x);
double BetaSoundInverse(const TVector& params, double p);
double BetaSoundInverseFrom(const TVector& params, double p, double start);
double BetaSoundUpperInverse(const TVector& params, double q);
bool BetaPeakBelowTheRange(const TVector& params);

TMoments BetaMoments(const TVector& params);

inline constexpr TFamily BetaFamily{
    .kind = TDistKind::Beta,
    .name = "Beta",
    .params = {{.name = "alpha", .hint = "Alpha shape parameter",
                .listed = {.lower = 0, .upper = 709}},
               {.name = "beta", .hint = "Beta shape parameter",
                .listed = {.lower = 0, .upper = 709}}},
    .listed = {.density = BetaDensity, .distribution = BetaDistribution, .inverse = BetaInverse},
    .chart = BetaChart,
    .moments = BetaMoments,
    .estimate = BetaEstimate,
    .sound = {.density = BetaSoundDensity, .logDensity = BetaLogDensity,
              .distribution = BetaSoundDistribution,
              .upper = BetaSoundUpper, .inverse = BetaSoundInverse,
              .upperInverse = BetaSoundUpperInverse,
              .inverseFrom = BetaSoundInverseFrom, .hopeless = BetaPeakBelowTheRange},
};
