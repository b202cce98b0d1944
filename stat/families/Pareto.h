// The Pareto family.
#pragma once

#include "Family.h"

void ParetoChart(const TVector&, double&, double&);
void ParetoEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
bool ParetoExact(const TVector& data, const TVector& params, const TParamSet& estimated,
                 int index, double level, TParamInterval& interval);
bool ParetoError(const TVector& data, const TVector& params, const TParamSet& estimated,
                 int index, double& se);
double ParetoSoundDensity(const TVector& params, double x);
L ParetoLogDensity(const TVector& params, double x);
double ParetoSoundDistribution(const TVector& params, double x);
double ParetoSoundUpper(const TVector& params, double x);
double ParetoSoundInverse(const TVector& params, double p);
double ParetoSoundUpperInverse(const TVector& params, double q);

TMoments ParetoMoments(const TVector& params);

L ParetoLogLower(const TVector& params, double x);
L ParetoLogUpper(const TVector& params, double x);

inline constexpr TFamily ParetoFamily{
    .kind = TDistKind::Pareto,
    .name = "Pareto",
    .params = {{.name = "xm", .hint = "Minimal value",
                .listed = {.lower = 0, .upper = catalogue::Big}, .end = TSupportEnd::Lower,
                .role = TParamRole::Scale},
               {.name = "alpha", .hint = "Shape alpha parameter",
                .listed = {.lower = 0, .upper = 709}}},
    .listed = {.density = ParetoDensity, .distribution = ParetoDistribution,
               .inverse = ParetoInverse},
    .chart = ParetoChart,
    .moments = ParetoMoments,
    .estimate = ParetoEstimate,
    .exact = ParetoExact,
    .closedError = ParetoError,
    .sound = {.density = ParetoSoundDensity, .logDensity = ParetoLogDensity,
              .distribution = ParetoSoundDistribution,
              .upper = ParetoSoundUpper, .inverse = ParetoSoundInverse,
              .upperInverse = ParetoSoundUpperInverse,
              .logLower = ParetoLogLower, .logUpper = ParetoLogUpper},
};
