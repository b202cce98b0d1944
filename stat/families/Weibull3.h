// The three-parameter Weibull family: Weibull(k, lambda) of x - x0.
#pragma once

#include "Unlisted.h"
#include "Weibull.h"

using Weibull3Of = TShifted<WeibullFamily>;
void Weibull3Estimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);

inline constexpr TFamily Weibull3Family{
    .kind = TDistKind::Weibull3,
    .name = "Weibull3",
    .params = {{.name = "k", .hint = "Shape parameter", .listed = {.lower = 0, .upper = 709}},
               {.name = "lambda", .hint = "Scale parameter",
                .listed = {.lower = 0, .upper = catalogue::Big}, .role = TParamRole::Scale},
               {.name = "x0", .hint = "Threshold: where the support starts",
                .listed = {.lower = -catalogue::Big, .upper = catalogue::Big},
                .role = TParamRole::Threshold}},
    .chart = QuantileChart<Weibull3Of::Inverse>,
    .moments = Weibull3Of::Moments,
    .estimate = Weibull3Estimate,
    .sound = {.density = Weibull3Of::Density, .logDensity = Weibull3Of::LogDensity,
              .distribution = Weibull3Of::Distribution, .upper = Weibull3Of::Upper,
              .inverse = Weibull3Of::Inverse, .upperInverse = Weibull3Of::UpperInverse,
              .logLower = Weibull3Of::LogLower, .logUpper = Weibull3Of::LogUpper},
};
