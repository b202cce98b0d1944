// The standard normal, normal and log-normal families.
#pragma once

#include "Family.h"

void NormalStdChart(const TVector&, double&, double&);
void NormalChart(const TVector&, double&, double&);
void LogNormalChart(const TVector&, double&, double&);
void NormalEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
void LogNormalEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
simpson::ZeroTail NormalStdZeroTail(const TVector& params, double h);
bool NormalStdPanelSeries(const TVector& params, double x, double span, simpson::TPanelSeries& series);
bool LogNormalPanelSeries(const TVector& params, double x, double span, simpson::TPanelSeries& series);
simpson::ZeroTail LogNormalZeroTail(const TVector& params, double h);

// The sound functions: the standard normal's tails and quantile of the extended precision,
// of (x - mu) / ro and of (ln x - mu) / ro.
double NormalStdSoundDensity(const TVector& params, double x);
double NormalStdSoundDistribution(const TVector& params, double x);
double NormalStdSoundUpper(const TVector& params, double x);
double NormalStdSoundInverse(const TVector& params, double p);
double NormalStdSoundUpperInverse(const TVector& params, double q);
double NormalSoundDensity(const TVector& params, double x);
double NormalSoundDistribution(const TVector& params, double x);
double NormalSoundUpper(const TVector& params, double x);
double NormalSoundInverse(const TVector& params, double p);
double NormalSoundUpperInverse(const TVector& params, double q);
double NormalWalked(const TVector& params, double x);
double LogNormalSoundDensity(const TVector& params, double x);
double LogNormalSoundDistribution(const TVector& params, double x);
double LogNormalSoundUpper(const TVector& params, double x);
double LogNormalSoundInverse(const TVector& params, double p);
double LogNormalSoundUpperInverse(const TVector& params, double q);

inline constexpr TFamily NormalStdFamily{
    TDistKind::NormalStd,
    {"NormalStd", 0, {}, {}, {}, {}},
    0,
    {NormalStdDensity, NormalStdDistribution, NormalStdInverse},
    NormalStdChart, NothingToEstimate, false,
    // Every normal is integrated on the standard normal's grid, which reads no parameter.
    {NormalStdDensity, {0, false, NormalStdZeroTail, NormalStdPanelSeries}},
    {{}, NormalStdSoundDensity, NormalStdSoundDistribution, NormalStdSoundUpper,
     NormalStdSoundInverse, NormalStdSoundUpperInverse, nullptr, WalkedFromZero}};

inline constexpr TFamily NormalFamily{
    TDistKind::Normal,
    {"Normal", 2, {"mu", "ro"}, {"Midle value", "Standard deviation"},
     {-catalogue::Wide, -catalogue::Wide}, {catalogue::Wide, catalogue::Wide}},
    0,
    {NormalDensity, NormalDistribution, NormalInverse},
    NormalChart, NormalEstimate, false, {},
    {{{-catalogue::Wide, 0}, {catalogue::Wide, catalogue::Wide}}, NormalSoundDensity,
     NormalSoundDistribution, NormalSoundUpper, NormalSoundInverse, NormalSoundUpperInverse,
     nullptr, NormalWalked}};

inline constexpr TFamily LogNormalFamily{
    TDistKind::LogNormal,
    {"LogNormal", 2, {"mu", "ro"}, {"Midle value", "Standard deviation"},
     {-catalogue::Wide, 0}, {catalogue::Wide, catalogue::Wide}},
    0,
    {LogNormalDensity, LogNormalDistribution, LogNormalInverse},
    LogNormalChart, LogNormalEstimate, true,
    {LogNormalDensity, {-1, false, LogNormalZeroTail, LogNormalPanelSeries}},
    {{{-catalogue::Wide, 0}, {catalogue::Wide, catalogue::Wide}}, LogNormalSoundDensity,
     LogNormalSoundDistribution, LogNormalSoundUpper, LogNormalSoundInverse,
     LogNormalSoundUpperInverse, nullptr, WalkedFromZero, true, LogNormalSoundInverse}};
