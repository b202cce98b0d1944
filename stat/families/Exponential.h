// The exponential family.
#pragma once

#include "Family.h"

void ExponentialChart(const TVector&, double&, double&);
void ExponentialEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
bool ExponentialExact(const TVector& data, const TVector& params, const TParamSet& estimated,
                      int index, double level, TParamInterval& interval);
double ExponentialSoundDensity(const TVector& params, double x);
bool ExponentialListedTrue(TDistFunc mode, const TVector&, double, double listed);
L ExponentialLogDensity(const TVector& params, double x);
double ExponentialSoundDistribution(const TVector& params, double x);
double ExponentialSoundUpper(const TVector& params, double x);
double ExponentialSoundInverse(const TVector& params, double p);
double ExponentialSoundUpperInverse(const TVector& params, double q);

TMoments ExponentialMoments(const TVector& params);

L ExponentialLogLower(const TVector& params, double x);
L ExponentialLogUpper(const TVector& params, double x);

inline constexpr TFamily ExponentialFamily{
    .kind = TDistKind::Exponential,
    .name = "Exponential",
    // "Lambda" with a capital L, as the catalogue lists it (Cauchy's and Weibull's are lower case).
    .params = {{.name = "Lambda", .hint = "Rate parameter",
                .listed = {.lower = 0, .upper = catalogue::Big}}},
    .listed = {.density = ExponentialDensity, .distribution = ExponentialDistribution,
               .inverse = ExponentialInverse},
    .chart = ExponentialChart,
    .moments = ExponentialMoments,
    .estimate = ExponentialEstimate,
    .exact = ExponentialExact,
    .sound = {.density = ExponentialSoundDensity, .logDensity = ExponentialLogDensity,
              .distribution = ExponentialSoundDistribution,
              .upper = ExponentialSoundUpper, .inverse = ExponentialSoundInverse,
              .upperInverse = ExponentialSoundUpperInverse,
              .logLower = ExponentialLogLower, .logUpper = ExponentialLogUpper,
              .listedTrue = ExponentialListedTrue, .listedQuiet = true},
};
