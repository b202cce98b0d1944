// The three-parameter log-normal family: LogNormal(mu, ro) of x - x0.
#pragma once

#include "Normal.h"
#include "Unlisted.h"

using LogNormal3Of = TShifted<LogNormalFamily>;
void LogNormal3Estimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);

inline constexpr TFamily LogNormal3Family{
    .kind = TDistKind::LogNormal3,
    .name = "LogNormal3",
    .params = {{.name = "mu", .hint = "Middle value of ln(x - x0)",
                .listed = {.lower = -catalogue::Wide, .upper = catalogue::Wide}},
               {.name = "ro", .hint = "Standard deviation of ln(x - x0)",
                .listed = {.lower = 0, .upper = catalogue::Wide}},
               {.name = "x0", .hint = "Threshold: where the support starts",
                .listed = {.lower = -catalogue::Big, .upper = catalogue::Big},
                .role = TParamRole::Threshold}},
    .chart = QuantileChart<LogNormal3Of::Inverse>,
    .moments = LogNormal3Of::Moments,
    .estimate = LogNormal3Estimate,
    .sound = {.density = LogNormal3Of::Density, .logDensity = LogNormal3Of::LogDensity,
              .distribution = LogNormal3Of::Distribution, .upper = LogNormal3Of::Upper,
              .inverse = LogNormal3Of::Inverse, .upperInverse = LogNormal3Of::UpperInverse,
              .logLower = LogNormal3Of::LogLower, .logUpper = LogNormal3Of::LogUpper},
};
