// The Weibull family.
#pragma once

#include "Family.h"

void WeibullChart(const TVector&, double&, double&);
void WeibullEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
L WeibullMaximumLikelihood(const TVector& values, TVector& params, const TParamSet& which);
double WeibullSoundDensity(const TVector& params, double x);
L WeibullLogDensity(const TVector& params, double x);
double WeibullSoundDistribution(const TVector& params, double x);
double WeibullSoundUpper(const TVector& params, double x);
double WeibullSoundInverse(const TVector& params, double p);
double WeibullSoundUpperInverse(const TVector& params, double q);

TMoments WeibullMoments(const TVector& params);

L WeibullLogLower(const TVector& params, double x);
L WeibullLogUpper(const TVector& params, double x);

inline constexpr TFamily WeibullFamily{
    .kind = TDistKind::Weibull,
    .name = "Weibull",
    .params = {{.name = "k", .hint = "Shape parameter", .listed = {.lower = 0, .upper = 709}},
               {.name = "lambda", .hint = "Scale parameter",
                .listed = {.lower = 0, .upper = catalogue::Big}, .role = TParamRole::Scale}},
    .listed = {.density = WeibullDensity, .distribution = WeibullDistribution,
               .inverse = WeibullInverse},
    .chart = WeibullChart,
    .moments = WeibullMoments,
    .estimate = WeibullEstimate,
    .maximumLikelihood = WeibullMaximumLikelihood,
    .sound = {.density = WeibullSoundDensity, .logDensity = WeibullLogDensity,
              .distribution = WeibullSoundDistribution,
              .upper = WeibullSoundUpper, .inverse = WeibullSoundInverse,
              .upperInverse = WeibullSoundUpperInverse,
              .logLower = WeibullLogLower, .logUpper = WeibullLogUpper},
};
