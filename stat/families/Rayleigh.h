// The Rayleigh family.
#pragma once

#include "Family.h"

void RayleighChart(const TVector&, double&, double&);
void RayleighEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
void RayleighMaximise(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
bool RayleighExact(const TVector& data, const TVector& params, const TParamSet& estimated,
                   int index, double level, TParamInterval& interval);
double RayleighSoundDensity(const TVector& params, double x);
L RayleighLogDensity(const TVector& params, double x);
double RayleighSoundDistribution(const TVector& params, double x);
double RayleighSoundUpper(const TVector& params, double x);
double RayleighSoundInverse(const TVector& params, double p);
double RayleighSoundUpperInverse(const TVector& params, double q);

TMoments RayleighMoments(const TVector& params);

L RayleighLogLower(const TVector& params, double x);
L RayleighLogUpper(const TVector& params, double x);

inline constexpr TFamily RayleighFamily{
    .kind = TDistKind::Rayleigh,
    .name = "Rayleigh",
    .params = {{.name = "ro", .hint = "Scale parameter",
                .listed = {.lower = 0, .upper = catalogue::Wide}, .role = TParamRole::Scale}},
    .listed = {.density = RayleighDensity, .distribution = RayleighDistribution,
               .inverse = RayleighInverse},
    .chart = RayleighChart,
    .moments = RayleighMoments,
    .estimate = RayleighEstimate,
    .maximise = RayleighMaximise,
    .exact = RayleighExact,
    .sound = {.density = RayleighSoundDensity, .logDensity = RayleighLogDensity,
              .distribution = RayleighSoundDistribution,
              .upper = RayleighSoundUpper, .inverse = RayleighSoundInverse,
              .upperInverse = RayleighSoundUpperInverse,
              .logLower = RayleighLogLower, .logUpper = RayleighLogUpper},
};
