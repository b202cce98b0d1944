// The Cauchy (Lorentz) family.
#pragma once

#include "Family.h"

// Right end of the Cauchy quantile search: 100 a + 100 while that lies right of a; for
// locations at or below -100/99 the search still runs rightwards, up to a + 100 (1 + |a|).
double CauchySearchLimit(double a);

void CauchyChart(const TVector&, double&, double&);
void CauchyEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);

// The sound functions: the closed forms in the shapes that keep each tail's precision.
double CauchySoundDensity(const TVector& params, double x);
L CauchyLogDensity(const TVector& params, double x);
double CauchySoundDistribution(const TVector& params, double x);
double CauchySoundUpper(const TVector& params, double x);
double CauchySoundInverse(const TVector& params, double p);
double CauchySoundUpperInverse(const TVector& params, double q);
double CauchyWalked(const TVector& params, double x);
bool CauchyNarrowerThanAPanel(const TVector& params);

// The density as the listed distribution and quantile walk it, with its series over a panel.
bool CauchyPanelSeries(const TVector& params, double x, double span, simpson::TPanelSeries& series);
extern const simpson::TIntegrand CauchyGrid;

TMoments CauchyMoments(const TVector& params);

L CauchyLogLower(const TVector& params, double x);
L CauchyLogUpper(const TVector& params, double x);

inline constexpr TFamily CauchyFamily{
    .kind = TDistKind::Cauchy,
    .name = "Cauchy (Lorentz)",
    .params = {{.name = "a", .hint = "Location parameter",
                .listed = {.lower = -catalogue::Wide, .upper = catalogue::Wide},
                .role = TParamRole::Location},
               {.name = "lambda", .hint = "Scale parameter",
                .listed = {.lower = 0, .upper = catalogue::Wide}, .role = TParamRole::Scale}},
    .listed = {.density = CauchyDensity, .distribution = CauchyDistribution,
               .inverse = CauchyInverse},
    .chart = CauchyChart,
    .moments = CauchyMoments,
    .estimate = CauchyEstimate,
    .sound = {.density = CauchySoundDensity, .logDensity = CauchyLogDensity,
              .distribution = CauchySoundDistribution,
              .upper = CauchySoundUpper, .inverse = CauchySoundInverse,
              .upperInverse = CauchySoundUpperInverse,
              .logLower = CauchyLogLower, .logUpper = CauchyLogUpper, .hopeless = CauchyNarrowerThanAPanel,
              .walked = CauchyWalked, .searchTo = CauchySoundInverse},
};
