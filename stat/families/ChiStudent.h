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
double Chi2SoundDistribution(const TVector& params, double x);
double Chi2SoundUpper(const TVector& params, double x);
double Chi2SoundInverse(const TVector& params, double p);
double Chi2SoundUpperInverse(const TVector& params, double q);
double Chi2Walked(const TVector& params, double x);
double Chi2SearchTo(const TVector& params, double p);
double StudentSoundDensity(const TVector& params, double x);
double StudentSoundDistribution(const TVector& params, double x);
double StudentSoundUpper(const TVector& params, double x);
double StudentSoundInverse(const TVector& params, double p);
double StudentSoundUpperInverse(const TVector& params, double q);

inline constexpr TFamily Chi2Family{
    TDistKind::Chi2,
    {"Chi2", 1, {"N"}, {"The count of freedom degrees"}, {1}, {1023}},
    0b1,
    {Chi2Density, Chi2Distribution, Chi2Inverse},
    Chi2Chart, Chi2Estimate, false,
    // The density reads the whole part of N.
    {Chi2Density, {1, true, Chi2ZeroTail, Chi2PanelSeries}},
    {DegreesServed, Chi2SoundDensity, Chi2SoundDistribution, Chi2SoundUpper, Chi2SoundInverse,
     Chi2SoundUpperInverse, nullptr, Chi2Walked, false, Chi2SearchTo}};

inline constexpr TFamily StudentFamily{
    TDistKind::Student,
    {"Student", 1, {"N"}, {"The count of freedom degrees"}, {1}, {1023}},
    0b1,
    {StudentDensity, StudentDistribution, StudentInverse},
    StudentChart, StudentEstimate, false,
    {StudentDensity, {1, true, nullptr, StudentPanelSeries}},
    {DegreesServed, StudentSoundDensity, StudentSoundDistribution, StudentSoundUpper,
     StudentSoundInverse, StudentSoundUpperInverse, nullptr, WalkedFromZero}};
