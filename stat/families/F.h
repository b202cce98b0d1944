// The F family.
#pragma once

#include "Family.h"

// The walking limit of the F quantile search; it stops one step below it when the target lies
// beyond.
constexpr double FLimit = 50;
constexpr double FCap = FLimit - SimpsonStep;

void FChart(const TVector&, double&, double&);
bool FPanelSeries(const TVector& params, double x, double span, simpson::TPanelSeries& series);
void FEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);

// The sound functions (FBetaSound.cpp), for every degree of freedom from 1 to 1e6.
double FSoundDensity(const TVector& params, double x);
L FLogDensity(const TVector& params, double x);
double FSoundDistribution(const TVector& params, double x);
double FSoundUpper(const TVector& params, double x);
double FSoundInverse(const TVector& params, double p);
double FSoundInverseFrom(const TVector& params, double p, double start);
double FSoundUpperInverse(const TVector& params, double q);

TMoments FMoments(const TVector& params);

inline constexpr TFamily FFamily{
    .kind = TDistKind::F,
    .name = "F-distribution",
    .params = {{.name = "N", .hint = "The count of freedom degrees N1", .listed = DegreesListed,
                .served = DegreesServed, .whole = true},
               {.name = "M", .hint = "The count of freedom degrees N2", .listed = DegreesListed,
                .served = DegreesServed, .whole = true}},
    .listed = {.density = FDensity, .distribution = FDistribution, .inverse = FInverse},
    .chart = FChart,
    .moments = FMoments,
    .estimate = FEstimate,
    // The density reads the whole parts of N and M.
    .grid = {.density = FDensity,
             .facts = {.reads = 2, .whole = true, .series = FPanelSeries}},
    .sound = {.density = FSoundDensity, .logDensity = FLogDensity,
              .distribution = FSoundDistribution,
              .upper = FSoundUpper, .inverse = FSoundInverse,
              .upperInverse = FSoundUpperInverse,
              .inverseFrom = FSoundInverseFrom, .walked = WalkedFromZero},
};
