// The two-parameter exponential family: Exponential(Lambda) of x - x0.
#pragma once

#include "Exponential.h"
#include "Unlisted.h"

using Exponential2Of = TShifted<ExponentialFamily>;
void Exponential2Estimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
bool Exponential2Exact(const TVector& data, const TVector& params, const TParamSet& estimated,
                       int index, double level, TParamInterval& interval);
bool Exponential2Error(const TVector& data, const TVector& params, const TParamSet& estimated,
                       int index, double& se);

inline constexpr TFamily Exponential2Family{
    .kind = TDistKind::Exponential2,
    .name = "Exponential2",
    .params = {{.name = "Lambda", .hint = "Rate parameter",
                .listed = {.lower = 0, .upper = catalogue::Big}},
               {.name = "x0", .hint = "Where the support starts",
                .listed = {.lower = -catalogue::Big, .upper = catalogue::Big},
                .end = TSupportEnd::Lower, .role = TParamRole::Location}},
    .chart = QuantileChart<Exponential2Of::Inverse>,
    .moments = Exponential2Of::Moments,
    .estimate = Exponential2Estimate,
    .exact = Exponential2Exact,
    .closedError = Exponential2Error,
    .sound = {.density = Exponential2Of::Density, .logDensity = Exponential2Of::LogDensity,
              .distribution = Exponential2Of::Distribution, .upper = Exponential2Of::Upper,
              .inverse = Exponential2Of::Inverse, .upperInverse = Exponential2Of::UpperInverse,
              .logLower = Exponential2Of::LogLower, .logUpper = Exponential2Of::LogUpper},
};
