// The standard uniform and uniform families.
#pragma once

#include "Family.h"

void UniformStdChart(const TVector&, double&, double&);
void UniformChart(const TVector&, double&, double&);
void UniformEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
bool UniformExact(const TVector& data, const TVector& params, const TParamSet& estimated,
                  int index, double level, TParamInterval& interval);
bool UniformError(const TVector& data, const TVector& params, const TParamSet& estimated,
                  int index, double& se);

// The sound functions: the listed density, distribution and inverse are the truth; these give
// the upper tail and its inverse, and the uniform's in the other order too.
double UniformStdSoundUpper(const TVector& params, double x);
L UniformStdLogDensity(const TVector& params, double x);
L UniformLogDensity(const TVector& params, double x);
double UniformStdSoundUpperInverse(const TVector& params, double q);
bool UniformInOrder(const TVector& params);
double UniformSoundDistribution(const TVector& params, double x);
double UniformSoundUpper(const TVector& params, double x);
double UniformSoundInverse(const TVector& params, double p);
double UniformSoundUpperInverse(const TVector& params, double q);

TMoments UniformStdMoments(const TVector& params);
TMoments UniformMoments(const TVector& params);

inline constexpr TFamily UniformStdFamily{
    .kind = TDistKind::UniformStd,
    .name = "UniformStd",
    .listed = {.density = UniformStdDensity, .distribution = UniformStdDistribution,
               .inverse = UniformStdInverse},
    .chart = UniformStdChart,
    .moments = UniformStdMoments,
    .sound = {.density = UniformStdDensity, .logDensity = UniformStdLogDensity,
              .distribution = UniformStdDistribution,
              .upper = UniformStdSoundUpper, .inverse = UniformStdInverse,
              .upperInverse = UniformStdSoundUpperInverse},
};

inline constexpr TFamily UniformFamily{
    .kind = TDistKind::Uniform,
    .name = "Uniform",
    .params = {{.name = "min", .hint = "Minimum of uniform distribution",
                .listed = {.lower = -catalogue::Big, .upper = catalogue::Big},
                .end = TSupportEnd::Lower},
               {.name = "max", .hint = "Maximum of uniform distribution",
                .listed = {.lower = -catalogue::Big, .upper = catalogue::Big},
                .end = TSupportEnd::Upper}},
    .tie = {.holds = UniformInOrder, .rule = "max must be greater than min"},
    .listed = {.density = UniformDensity, .distribution = UniformDistribution,
               .inverse = UniformInverse},
    .chart = UniformChart,
    .moments = UniformMoments,
    .estimate = UniformEstimate,
    .exact = UniformExact,
    .closedError = UniformError,
    .sound = {.density = UniformDensity, .logDensity = UniformLogDensity,
              .distribution = UniformSoundDistribution,
              .upper = UniformSoundUpper, .inverse = UniformSoundInverse,
              .upperInverse = UniformSoundUpperInverse},
};
