// The inverse Gaussian (Wald) family:
// f = sqrt(lambda / (2 pi x^3)) exp(-lambda (x - mu)^2 / (2 mu^2 x)) for x > 0.
#pragma once

#include "Unlisted.h"

double InvGaussDensity(const TVector& params, double x);
L InvGaussLogDensity(const TVector& params, double x);
double InvGaussDistribution(const TVector& params, double x);
double InvGaussUpper(const TVector& params, double x);
double InvGaussInverse(const TVector& params, double p);
double InvGaussUpperInverse(const TVector& params, double q);
void InvGaussEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);

TMoments InvGaussMoments(const TVector& params);

inline constexpr TFamily InvGaussFamily{
    .kind = TDistKind::InvGauss,
    .name = "InvGauss",
    .params = {{.name = "mu", .hint = "Mean", .listed = {.lower = 0, .upper = catalogue::Wide}},
               {.name = "lambda", .hint = "Shape parameter",
                .listed = {.lower = 0, .upper = catalogue::Wide}}},
    .chart = QuantileChart<InvGaussInverse>,
    .moments = InvGaussMoments,
    .estimate = InvGaussEstimate,
    .sound = {.density = InvGaussDensity, .logDensity = InvGaussLogDensity,
              .distribution = InvGaussDistribution, .upper = InvGaussUpper,
              .inverse = InvGaussInverse, .upperInverse = InvGaussUpperInverse},
};
