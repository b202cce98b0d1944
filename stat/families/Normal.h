// The standard normal, normal and log-normal families.
#pragma once

#include "Family.h"

// The walking limit of the log-normal quantile search, which the sound search shares.
constexpr double LogNormalLimit = 100000;

void NormalStdChart(const TVector&, double&, double&);
void NormalChart(const TVector&, double&, double&);
void LogNormalChart(const TVector&, double&, double&);
void NormalEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
void LogNormalEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
void NormalMaximise(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
void LogNormalMaximise(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
L LogNormalMaximumLikelihood(const TVector& values, TVector& params, const TParamSet& which);
bool NormalExact(const TVector& data, const TVector& params, const TParamSet& estimated,
                 int index, double level, TParamInterval& interval);
bool LogNormalExact(const TVector& data, const TVector& params, const TParamSet& estimated,
                    int index, double level, TParamInterval& interval);
simpson::ZeroTail NormalStdZeroTail(const TVector& params, double h);
bool NormalStdPanelSeries(const TVector& params, double x, double span, simpson::TPanelSeries& series);
bool LogNormalPanelSeries(const TVector& params, double x, double span, simpson::TPanelSeries& series);
simpson::ZeroTail LogNormalZeroTail(const TVector& params, double h);

// The sound functions: the standard normal's tails and quantile of the extended precision,
// of (x - mu) / ro and of (ln x - mu) / ro.
double NormalStdSoundDensity(const TVector& params, double x);
L NormalStdLogDensity(const TVector& params, double x);
double NormalStdSoundDistribution(const TVector& params, double x);
double NormalStdSoundUpper(const TVector& params, double x);
double NormalStdSoundInverse(const TVector& params, double p);
double NormalStdSoundUpperInverse(const TVector& params, double q);
double NormalSoundDensity(const TVector& params, double x);
L NormalLogDensity(const TVector& params, double x);
double NormalSoundDistribution(const TVector& params, double x);
double NormalSoundUpper(const TVector& params, double x);
double NormalSoundInverse(const TVector& params, double p);
double NormalSoundUpperInverse(const TVector& params, double q);
double NormalWalked(const TVector& params, double x);
// The normal tails in the doubles' arithmetic, for the check of a listed quantile.
double NormalStdQuickLower(const TVector& params, double x);
double NormalStdQuickUpper(const TVector& params, double x);
double NormalQuickLower(const TVector& params, double x);
double NormalQuickUpper(const TVector& params, double x);
double LogNormalSoundDensity(const TVector& params, double x);
L LogNormalSoundLogDensity(const TVector& params, double x);
// ln of the log-normal density at the x whose logarithm (in extended precision) is logX,
// with ln ro given.
L LogNormalLogDensityOfLog(L mu, L ro, L logRo, L logX);
double LogNormalSoundDistribution(const TVector& params, double x);
double LogNormalSoundUpper(const TVector& params, double x);
double LogNormalSoundInverse(const TVector& params, double p);
double LogNormalSoundUpperInverse(const TVector& params, double q);

TMoments NormalStdMoments(const TVector& params);
TMoments NormalMoments(const TVector& params);
TMoments LogNormalMoments(const TVector& params);

L NormalStdLogLower(const TVector& params, double x);
L NormalStdLogUpper(const TVector& params, double x);
L NormalLogLower(const TVector& params, double x);
L NormalLogUpper(const TVector& params, double x);
L LogNormalLogLower(const TVector& params, double x);
L LogNormalLogUpper(const TVector& params, double x);

inline constexpr TFamily NormalStdFamily{
    .kind = TDistKind::NormalStd,
    .name = "NormalStd",
    .listed = {.density = NormalStdDensity, .distribution = NormalStdDistribution,
               .inverse = NormalStdInverse},
    .chart = NormalStdChart,
    .moments = NormalStdMoments,
    // Every normal is integrated on the standard normal's grid, which reads no parameter.
    .grid = {.density = NormalStdDensity,
             .facts = {.reads = 0, .zeroTail = NormalStdZeroTail,
                       .series = NormalStdPanelSeries}},
    .sound = {.density = NormalStdSoundDensity, .logDensity = NormalStdLogDensity,
              .distribution = NormalStdSoundDistribution,
              .upper = NormalStdSoundUpper, .inverse = NormalStdSoundInverse,
              .upperInverse = NormalStdSoundUpperInverse,
              .logLower = NormalStdLogLower, .logUpper = NormalStdLogUpper,
              .quickLower = NormalStdQuickLower, .quickUpper = NormalStdQuickUpper,
              .walked = WalkedFromZero},
};

inline constexpr TFamily NormalFamily{
    .kind = TDistKind::Normal,
    .name = "Normal",
    // "Midle value" as the catalogue lists it.
    .params = {{.name = "mu", .hint = "Midle value",
                .listed = {.lower = -catalogue::Wide, .upper = catalogue::Wide},
                .role = TParamRole::Location},
               // Listed from -1.3E153, as mu: the functions serve a positive ro only.
               {.name = "ro", .hint = "Standard deviation",
                .listed = {.lower = -catalogue::Wide, .upper = catalogue::Wide},
                .served = TBounds{.lower = 0, .upper = catalogue::Wide},
                .role = TParamRole::Scale}},
    .listed = {.density = NormalDensity, .distribution = NormalDistribution,
               .inverse = NormalInverse},
    .chart = NormalChart,
    .moments = NormalMoments,
    .estimate = NormalEstimate,
    .maximise = NormalMaximise,
    .exact = NormalExact,
    .sound = {.density = NormalSoundDensity, .logDensity = NormalLogDensity,
              .distribution = NormalSoundDistribution,
              .upper = NormalSoundUpper, .inverse = NormalSoundInverse,
              .upperInverse = NormalSoundUpperInverse,
              .logLower = NormalLogLower, .logUpper = NormalLogUpper,
              .quickLower = NormalQuickLower, .quickUpper = NormalQuickUpper, .walked = NormalWalked},
};

inline constexpr TFamily LogNormalFamily{
    .kind = TDistKind::LogNormal,
    .name = "LogNormal",
    // "Midle value" as the catalogue lists it.
    .params = {{.name = "mu", .hint = "Midle value",
                .listed = {.lower = -catalogue::Wide, .upper = catalogue::Wide}},
               {.name = "ro", .hint = "Standard deviation",
                .listed = {.lower = 0, .upper = catalogue::Wide}}},
    .listed = {.density = LogNormalDensity, .distribution = LogNormalDistribution,
               .inverse = LogNormalInverse},
    .chart = LogNormalChart,
    .moments = LogNormalMoments,
    .estimate = LogNormalEstimate,
    .estimateFromLogs = true,
    .maximise = LogNormalMaximise,
    .maximumLikelihood = LogNormalMaximumLikelihood,
    .exact = LogNormalExact,
    .grid = {.density = LogNormalDensity,
             .facts = {.zeroTail = LogNormalZeroTail, .series = LogNormalPanelSeries}},
    .sound = {.density = LogNormalSoundDensity, .logDensity = LogNormalSoundLogDensity,
              .distribution = LogNormalSoundDistribution,
              .upper = LogNormalSoundUpper, .inverse = LogNormalSoundInverse,
              .upperInverse = LogNormalSoundUpperInverse,
              .logLower = LogNormalLogLower, .logUpper = LogNormalLogUpper, .walked = WalkedFromZero,
              .checkSearch = true, .searchTo = LogNormalSoundInverse},
};
