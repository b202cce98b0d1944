// The smallest extreme value (Gumbel minimum) family: F = 1 - exp(-exp((x - mu) / ro)).
#pragma once

#include "Unlisted.h"

double GumbelMinDensity(const TVector& params, double x);
L GumbelMinLogDensity(const TVector& params, double x);
double GumbelMinDistribution(const TVector& params, double x);
double GumbelMinUpper(const TVector& params, double x);
double GumbelMinInverse(const TVector& params, double p);
double GumbelMinUpperInverse(const TVector& params, double q);
void GumbelMinEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);

TMoments GumbelMinMoments(const TVector& params);

L GumbelMinLogLower(const TVector& params, double x);
L GumbelMinLogUpper(const TVector& params, double x);

inline constexpr TFamily GumbelMinFamily{
    .kind = TDistKind::GumbelMin,
    .name = "GumbelMin",
    .params = {{.name = "mu", .hint = "Location parameter",
                .listed = {.lower = -catalogue::Big, .upper = catalogue::Big},
                .role = TParamRole::Location},
               {.name = "ro", .hint = "Scale parameter",
                .listed = {.lower = 0, .upper = catalogue::Big}, .role = TParamRole::Scale}},
    .chart = QuantileChart<GumbelMinInverse>,
    .moments = GumbelMinMoments,
    .estimate = GumbelMinEstimate,
    .sound = {.density = GumbelMinDensity, .logDensity = GumbelMinLogDensity,
              .distribution = GumbelMinDistribution, .upper = GumbelMinUpper,
              .inverse = GumbelMinInverse, .upperInverse = GumbelMinUpperInverse,
              .logLower = GumbelMinLogLower, .logUpper = GumbelMinLogUpper},
};
