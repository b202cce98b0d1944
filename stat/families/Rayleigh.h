// The Rayleigh family.
#pragma once

#include "Family.h"

void RayleighChart(const TVector&, double&, double&);
void RayleighEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
double RayleighSoundDensity(const TVector& params, double x);
L RayleighLogDensity(const TVector& params, double x);
double RayleighSoundDistribution(const TVector& params, double x);
double RayleighSoundUpper(const TVector& params, double x);
double RayleighSoundInverse(const TVector& params, double p);
double RayleighSoundUpperInverse(const TVector& params, double q);

inline constexpr TFamily RayleighFamily{
    .kind = TDistKind::Rayleigh,
    .name = "Rayleigh",
    .params = {{.name = "ro", .hint = "Scale parameter",
                .listed = {.lower = 0, .upper = catalogue::Wide}}},
    .listed = {.density = RayleighDensity, .distribution = RayleighDistribution,
               .inverse = RayleighInverse},
    .chart = RayleighChart,
    .estimate = RayleighEstimate,
    .sound = {.density = RayleighSoundDensity, .logDensity = RayleighLogDensity,
              .distribution = RayleighSoundDistribution,
              .upper = RayleighSoundUpper, .inverse = RayleighSoundInverse,
              .upperInverse = RayleighSoundUpperInverse},
};
