// The log-logistic family: F = 1 / (1 + (x / alpha)^(-beta)) for x > 0, the logistic law of
// ln x with location ln alpha and scale 1 / beta.
#pragma once

#include "Unlisted.h"

double LogLogisticDensity(const TVector& params, double x);
L LogLogisticLogDensity(const TVector& params, double x);
double LogLogisticDistribution(const TVector& params, double x);
double LogLogisticUpper(const TVector& params, double x);
double LogLogisticInverse(const TVector& params, double p);
double LogLogisticUpperInverse(const TVector& params, double q);
void LogLogisticEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);

TMoments LogLogisticMoments(const TVector& params);

L LogLogisticLogLower(const TVector& params, double x);
L LogLogisticLogUpper(const TVector& params, double x);

inline constexpr TFamily LogLogisticFamily{
    .kind = TDistKind::LogLogistic,
    .name = "LogLogistic",
    .params = {{.name = "alpha", .hint = "Scale parameter: the median",
                .listed = {.lower = 0, .upper = catalogue::Big}, .role = TParamRole::Scale},
               {.name = "beta", .hint = "Shape parameter", .listed = {.lower = 0, .upper = 1e6}}},
    .chart = QuantileChart<LogLogisticInverse>,
    .moments = LogLogisticMoments,
    .estimate = LogLogisticEstimate,
    .sound = {.density = LogLogisticDensity, .logDensity = LogLogisticLogDensity,
              .distribution = LogLogisticDistribution, .upper = LogLogisticUpper,
              .inverse = LogLogisticInverse, .upperInverse = LogLogisticUpperInverse,
              .logLower = LogLogisticLogLower, .logUpper = LogLogisticLogUpper},
};
