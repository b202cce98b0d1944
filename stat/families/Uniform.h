// The standard uniform and uniform families.
#pragma once

#include "Family.h"

void UniformStdChart(const TVector&, double&, double&);
void UniformChart(const TVector&, double&, double&);
void UniformEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);

inline constexpr TFamily UniformStdFamily{
    TDistKind::UniformStd,
    {"UniformStd", 0, {}, {}, {}, {}},
    {UniformStdDensity, UniformStdDistribution, UniformStdInverse},
    UniformStdChart, NothingToEstimate, false, {}, {}};

inline constexpr TFamily UniformFamily{
    TDistKind::Uniform,
    {"Uniform", 2, {"min", "max"},
     {"Minimum of uniform distribution", "Maximum of uniform distribution"},
     {-catalogue::Big, -catalogue::Big}, {catalogue::Big, catalogue::Big}},
    {UniformDensity, UniformDistribution, UniformInverse},
    UniformChart, UniformEstimate, false, {}, {}};
