// The generalised Pareto family: F = 1 - (1 + xi (x - mu) / sigma)^(-1 / xi) for x >= mu (and
// x <= mu - sigma / xi where xi < 0), 1 - e^(-(x - mu) / sigma) for xi = 0.
#pragma once

#include "Unlisted.h"

double GenParetoDensity(const TVector& params, double x);
L GenParetoLogDensity(const TVector& params, double x);
double GenParetoDistribution(const TVector& params, double x);
double GenParetoUpper(const TVector& params, double x);
double GenParetoInverse(const TVector& params, double p);
double GenParetoUpperInverse(const TVector& params, double q);
void GenParetoEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
// Grimshaw's profile of the distances z above mu at v = ln(1 + theta z(n)) (v not 0): in
// extended precision, and in the doubles' arithmetic with a bound on its distance from the
// extended value (false where no bound is formed). The estimate's scan forms the first only
// at the points the second cannot rule out.
L GenParetoProfile(const TVector& z, L v);
bool GenParetoQuickProfile(const TVector& z, L v, L& value, L& bound);
bool GenParetoError(const TVector& data, const TVector& params, const TParamSet& estimated,
                    int index, double& se);
bool GenParetoEndInterval(const TVector& data, const TVector& params, const TParamSet& estimated,
                          int index, double level, TParamInterval& interval);

TMoments GenParetoMoments(const TVector& params);

L GenParetoLogLower(const TVector& params, double x);
L GenParetoLogUpper(const TVector& params, double x);

inline constexpr TFamily GenParetoFamily{
    .kind = TDistKind::GenPareto,
    .name = "GenPareto",
    .params = {{.name = "mu", .hint = "Threshold: where the support starts",
                .listed = {.lower = -catalogue::Big, .upper = catalogue::Big},
                .end = TSupportEnd::Lower, .role = TParamRole::Location},
               {.name = "sigma", .hint = "Scale parameter",
                .listed = {.lower = 0, .upper = catalogue::Big}, .role = TParamRole::Scale},
               {.name = "xi", .hint = "Shape parameter", .listed = {.lower = -709, .upper = 709}}},
    .chart = QuantileChart<GenParetoInverse>,
    .moments = GenParetoMoments,
    .estimate = GenParetoEstimate,
    .closedError = GenParetoError,
    .endInterval = GenParetoEndInterval,
    .sound = {.density = GenParetoDensity, .logDensity = GenParetoLogDensity,
              .distribution = GenParetoDistribution, .upper = GenParetoUpper,
              .inverse = GenParetoInverse, .upperInverse = GenParetoUpperInverse,
              .logLower = GenParetoLogLower, .logUpper = GenParetoLogUpper},
};
