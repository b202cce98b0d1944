// The standard normal, normal and log-normal families.
#pragma once

#include "Family.h"

void NormalStdChart(const TVector&, double&, double&);
void NormalChart(const TVector&, double&, double&);
void LogNormalChart(const TVector&, double&, double&);
void NormalEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
void LogNormalEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);
simpson::ZeroTail NormalStdZeroTail(const TVector& params, double h);
simpson::ZeroTail LogNormalZeroTail(const TVector& params, double h);

// The log-normal's sound functions: the library's own standard normal of (ln x - mu) / ro.
double LogNormalSoundDistribution(const TVector& params, double x);
double LogNormalSoundInverse(const TVector& params, double p);
bool LogNormalCap(const TVector& params, double p, double& at, bool& upward);

inline constexpr TFamily NormalStdFamily{
    TDistKind::NormalStd,
    {"NormalStd", 0, {}, {}, {}, {}},
    {NormalStdDensity, NormalStdDistribution, NormalStdInverse},
    NormalStdChart, NothingToEstimate, false,
    // Every normal is integrated on the standard normal's grid, which reads no parameter.
    {NormalStdDensity, {0, false, NormalStdZeroTail}},
    {}};

inline constexpr TFamily NormalFamily{
    TDistKind::Normal,
    {"Normal", 2, {"mu", "ro"}, {"Midle value", "Standard deviation"},
     {-catalogue::Wide, -catalogue::Wide}, {catalogue::Wide, catalogue::Wide}},
    {NormalDensity, NormalDistribution, NormalInverse},
    NormalChart, NormalEstimate, false, {}, {}};

inline constexpr TFamily LogNormalFamily{
    TDistKind::LogNormal,
    {"LogNormal", 2, {"mu", "ro"}, {"Midle value", "Standard deviation"},
     {-catalogue::Wide, 0}, {catalogue::Wide, catalogue::Wide}},
    {LogNormalDensity, LogNormalDistribution, LogNormalInverse},
    LogNormalChart, LogNormalEstimate, true,
    {LogNormalDensity, {-1, false, LogNormalZeroTail}},
    {nullptr, LogNormalSoundDistribution, LogNormalSoundInverse, LogNormalCap, nullptr, FromZero,
     true, true}};
