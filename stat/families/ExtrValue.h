// The generalised extreme value family.
#pragma once

#include "Family.h"

void ExtrValueChart(const TVector&, double&, double&);
void ExtrValueEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
double ExtrValueSoundDensity(const TVector& params, double x);
L ExtrValueLogDensity(const TVector& params, double x);
double ExtrValueSoundDistribution(const TVector& params, double x);
double ExtrValueSoundUpper(const TVector& params, double x);
double ExtrValueSoundInverse(const TVector& params, double p);
double ExtrValueSoundUpperInverse(const TVector& params, double q);

TMoments ExtrValueMoments(const TVector& params);

L ExtrValueLogLower(const TVector& params, double x);
L ExtrValueLogUpper(const TVector& params, double x);

inline constexpr TFamily ExtrValueFamily{
    .kind = TDistKind::ExtrValue,
    .name = "ExtrValue",
    .params = {{.name = "mu", .hint = "Location parameter",
                .listed = {.lower = -catalogue::Big, .upper = catalogue::Big},
                .role = TParamRole::Location},
               {.name = "ro", .hint = "Scale parameter",
                .listed = {.lower = 0, .upper = catalogue::Big}, .role = TParamRole::Scale},
               {.name = "xi", .hint = "Shape parameter", .listed = {.lower = -709, .upper = 709}}},
    .listed = {.density = ExtrValueDensity, .distribution = ExtrValueDistribution,
               .inverse = ExtrValueInverse},
    .chart = ExtrValueChart,
    .moments = ExtrValueMoments,
    .estimate = ExtrValueEstimate,
    .sound = {.density = ExtrValueSoundDensity, .logDensity = ExtrValueLogDensity,
              .distribution = ExtrValueSoundDistribution,
              .upper = ExtrValueSoundUpper, .inverse = ExtrValueSoundInverse,
              .upperInverse = ExtrValueSoundUpperInverse,
              .logLower = ExtrValueLogLower, .logUpper = ExtrValueLogUpper},
};
