// The chi-square and Student families.
#pragma once

#include "Family.h"

void Chi2Chart(const TVector&, double&, double&);
void StudentChart(const TVector&, double&, double&);
void Chi2Estimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
void StudentEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
simpson::ZeroTail Chi2ZeroTail(const TVector& params, double h);
bool Chi2PanelSeries(const TVector& params, double x, double span, simpson::TPanelSeries& series);
bool StudentPanelSeries(const TVector& params, double x, double span, simpson::TPanelSeries& series);

// The sound functions (ChiStudentSound.cpp), for every degree of freedom from 1 to 1e6.
double Chi2SoundDensity(const TVector& params, double x);
L Chi2LogDensity(const TVector& params, double x);
double Chi2SoundDistribution(const TVector& params, double x);
double Chi2SoundUpper(const TVector& params, double x);
L Chi2LogLower(const TVector& params, double x);
L Chi2LogUpper(const TVector& params, double x);
double Chi2SoundInverse(const TVector& params, double p);
double Chi2SoundUpperInverse(const TVector& params, double q);
double Chi2Walked(const TVector& params, double x);
double Chi2SearchTo(const TVector& params, double p);
double StudentSoundDensity(const TVector& params, double x);
L StudentLogDensity(const TVector& params, double x);
double StudentSoundDistribution(const TVector& params, double x);
double StudentSoundUpper(const TVector& params, double x);
double StudentSoundInverse(const TVector& params, double p);
double StudentSoundUpperInverse(const TVector& params, double q);

TMoments Chi2Moments(const TVector& params);
TMoments StudentMoments(const TVector& params);

inline constexpr TFamily Chi2Family{
    .kind = TDistKind::Chi2,
    .name = "Chi2",
    .params = {{.name = "N", .hint = "The count of freedom degrees", .listed = DegreesListed,
                .served = DegreesServed, .whole = true}},
    .listed = {.density = Chi2Density, .distribution = Chi2Distribution, .inverse = Chi2Inverse},
    .chart = Chi2Chart,
    .moments = Chi2Moments,
    .estimate = Chi2Estimate,
    // The density reads the whole part of N.
    .grid = {.density = Chi2Density,
             .facts = {.reads = 1, .whole = true, .zeroTail = Chi2ZeroTail,
                       .series = Chi2PanelSeries}},
    .sound = {.density = Chi2SoundDensity, .logDensity = Chi2LogDensity,
              .distribution = Chi2SoundDistribution,
              .upper = Chi2SoundUpper, .inverse = Chi2SoundInverse,
              .upperInverse = Chi2SoundUpperInverse, .logLower = Chi2LogLower,
              .logUpper = Chi2LogUpper, .walked = Chi2Walked,
              .searchTo = Chi2SearchTo},
};

inline constexpr TFamily StudentFamily{
    .kind = TDistKind::Student,
    .name = "Student",
    .params = {{.name = "N", .hint = "The count of freedom degrees", .listed = DegreesListed,
                .served = DegreesServed, .whole = true}},
    .listed = {.density = StudentDensity, .distribution = StudentDistribution,
               .inverse = StudentInverse},
    .chart = StudentChart,
    .moments = StudentMoments,
    .estimate = StudentEstimate,
    .grid = {.density = StudentDensity,
             .facts = {.reads = 1, .whole = true, .series = StudentPanelSeries}},
    .sound = {.density = StudentSoundDensity, .logDensity = StudentLogDensity,
              .distribution = StudentSoundDistribution,
              .upper = StudentSoundUpper, .inverse = StudentSoundInverse,
              .upperInverse = StudentSoundUpperInverse, .walked = WalkedFromZero},
};
