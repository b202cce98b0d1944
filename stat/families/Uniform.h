// The standard uniform and uniform families.
#pragma once

#include "Family.h"

void UniformStdChart(const TVector&, double&, double&);
void UniformChart(const TVector&, double&, double&);
void UniformEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);

// The sound functions: the listed density, distribution and inverse are the truth; these give
// the upper tail and its inverse, and the uniform's in the other order too.
double UniformStdSoundUpper(const TVector& params, double x);
double UniformStdSoundUpperInverse(const TVector& params, double q);
bool UniformInOrder(const TVector& params);
double UniformSoundDistribution(const TVector& params, double x);
double UniformSoundUpper(const TVector& params, double x);
double UniformSoundInverse(const TVector& params, double p);
double UniformSoundUpperInverse(const TVector& params, double q);

inline constexpr TFamily UniformStdFamily{
    TDistKind::UniformStd,
    {"UniformStd", 0, {}, {}, {}, {}},
    0,
    {UniformStdDensity, UniformStdDistribution, UniformStdInverse},
    UniformStdChart, NothingToEstimate, false, {},
    {{}, UniformStdDensity, UniformStdDistribution, UniformStdSoundUpper, UniformStdInverse,
     UniformStdSoundUpperInverse}};

inline constexpr TFamily UniformFamily{
    TDistKind::Uniform,
    {"Uniform", 2, {"min", "max"},
     {"Minimum of uniform distribution", "Maximum of uniform distribution"},
     {-catalogue::Big, -catalogue::Big}, {catalogue::Big, catalogue::Big}},
    0b11,
    {UniformDensity, UniformDistribution, UniformInverse},
    UniformChart, UniformEstimate, false, {},
    {{{-catalogue::Big, -catalogue::Big}, {catalogue::Big, catalogue::Big}, false, false,
      UniformInOrder, "max must be greater than min"},
     UniformDensity, UniformSoundDistribution, UniformSoundUpper, UniformSoundInverse,
     UniformSoundUpperInverse},
    0, 1};
