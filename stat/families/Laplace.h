// The Laplace family: f = e^(-|x - mu| / b) / (2 b).
#pragma once

#include "Unlisted.h"

double LaplaceDensity(const TVector& params, double x);
L LaplaceLogDensity(const TVector& params, double x);
double LaplaceDistribution(const TVector& params, double x);
double LaplaceUpper(const TVector& params, double x);
double LaplaceInverse(const TVector& params, double p);
double LaplaceUpperInverse(const TVector& params, double q);
void LaplaceEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
bool LaplaceError(const TVector& data, const TVector& params, const TParamSet& estimated,
                  int index, double& se);

TMoments LaplaceMoments(const TVector& params);

L LaplaceLogLower(const TVector& params, double x);
L LaplaceLogUpper(const TVector& params, double x);

inline constexpr TFamily LaplaceFamily{
    .kind = TDistKind::Laplace,
    .name = "Laplace",
    .params = {{.name = "mu", .hint = "Location parameter: the median",
                .listed = {.lower = -catalogue::Big, .upper = catalogue::Big},
                .role = TParamRole::Location},
               {.name = "b", .hint = "Scale parameter",
                .listed = {.lower = 0, .upper = catalogue::Big}, .role = TParamRole::Scale}},
    .chart = QuantileChart<LaplaceInverse>,
    .moments = LaplaceMoments,
    .estimate = LaplaceEstimate,
    .closedError = LaplaceError,
    .sound = {.density = LaplaceDensity, .logDensity = LaplaceLogDensity,
              .distribution = LaplaceDistribution, .upper = LaplaceUpper,
              .inverse = LaplaceInverse, .upperInverse = LaplaceUpperInverse,
              .logLower = LaplaceLogLower, .logUpper = LaplaceLogUpper},
};
