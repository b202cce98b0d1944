// The logistic family.
#pragma once

#include "Family.h"

void LogisticChart(const TVector&, double&, double&);
void LogisticEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
void LogisticMaximise(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
double LogisticSoundDensity(const TVector& params, double x);
L LogisticLogDensity(const TVector& params, double x);
double LogisticSoundDistribution(const TVector& params, double x);
double LogisticSoundUpper(const TVector& params, double x);
double LogisticSoundInverse(const TVector& params, double p);
double LogisticSoundUpperInverse(const TVector& params, double q);

TMoments LogisticMoments(const TVector& params);

L LogisticLogLower(const TVector& params, double x);
L LogisticLogUpper(const TVector& params, double x);

inline constexpr TFamily LogisticFamily{
    .kind = TDistKind::Logistic,
    .name = "Logistic",
    .params = {{.name = "mu", .hint = "Middle value",
                .listed = {.lower = -catalogue::Big, .upper = catalogue::Big},
                .role = TParamRole::Location},
               {.name = "s", .hint = "Scale parameter",
                .listed = {.lower = 0, .upper = catalogue::Big}, .role = TParamRole::Scale}},
    .listed = {.density = LogisticDensity, .distribution = LogisticDistribution,
               .inverse = LogisticInverse},
    .chart = LogisticChart,
    .moments = LogisticMoments,
    .estimate = LogisticEstimate,
    .maximise = LogisticMaximise,
    .sound = {.density = LogisticSoundDensity, .logDensity = LogisticLogDensity,
              .distribution = LogisticSoundDistribution,
              .upper = LogisticSoundUpper, .inverse = LogisticSoundInverse,
              .upperInverse = LogisticSoundUpperInverse,
              .logLower = LogisticLogLower, .logUpper = LogisticLogUpper},
};
