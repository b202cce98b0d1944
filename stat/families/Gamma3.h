// The three-parameter Gamma family: Gamma(k, theta) of x - x0.
#pragma once

#include "Gamma.h"

using Gamma3Of = TShifted<GammaFamily>;
void Gamma3Estimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);

inline constexpr TFamily Gamma3Family{
    .kind = TDistKind::Gamma3,
    .name = "Gamma3",
    .params = {{.name = "k", .hint = "Shape parameter", .listed = {.lower = 0, .upper = 5e5}},
               {.name = "theta", .hint = "Scale parameter",
                .listed = {.lower = 0, .upper = catalogue::Big}, .role = TParamRole::Scale},
               {.name = "x0", .hint = "Threshold: where the support starts",
                .listed = {.lower = -catalogue::Big, .upper = catalogue::Big},
                .role = TParamRole::Threshold}},
    .chart = QuantileChart<Gamma3Of::Inverse>,
    .moments = Gamma3Of::Moments,
    .estimate = Gamma3Estimate,
    .sound = {.density = Gamma3Of::Density, .logDensity = Gamma3Of::LogDensity,
              .distribution = Gamma3Of::Distribution, .upper = Gamma3Of::Upper,
              .inverse = Gamma3Of::Inverse, .upperInverse = Gamma3Of::UpperInverse,
              .logLower = Gamma3Of::LogLower, .logUpper = Gamma3Of::LogUpper},
};
