// The Gamma family: f = x^(k-1) e^(-x/theta) / (Gamma(k) theta^k) for x > 0.
#pragma once

#include "Unlisted.h"

double GammaDensity(const TVector& params, double x);
L GammaLogDensity(const TVector& params, double x);
double GammaDistribution(const TVector& params, double x);
double GammaUpper(const TVector& params, double x);
L GammaLogLower(const TVector& params, double x);
L GammaLogUpper(const TVector& params, double x);
double GammaInverse(const TVector& params, double p);
double GammaUpperInverse(const TVector& params, double q);
void GammaEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
L GammaMaximumLikelihood(const TVector& values, TVector& params, const TParamSet& which);

TMoments GammaMoments(const TVector& params);

inline constexpr TFamily GammaFamily{
    .kind = TDistKind::Gamma,
    .name = "Gamma",
    .params = {{.name = "k", .hint = "Shape parameter", .listed = {.lower = 0, .upper = 5e5}},
               {.name = "theta", .hint = "Scale parameter",
                .listed = {.lower = 0, .upper = catalogue::Big}, .role = TParamRole::Scale}},
    .chart = QuantileChart<GammaInverse>,
    .moments = GammaMoments,
    .estimate = GammaEstimate,
    .maximumLikelihood = GammaMaximumLikelihood,
    .sound = {.density = GammaDensity, .logDensity = GammaLogDensity,
              .distribution = GammaDistribution, .upper = GammaUpper, .inverse = GammaInverse,
              .upperInverse = GammaUpperInverse, .logLower = GammaLogLower,
              .logUpper = GammaLogUpper},
};
