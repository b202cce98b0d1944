// One descriptor per family of the catalogue: what every part of the library knows of a kind,
// in one place. Each family defines its descriptors in its own header beside its functions
// (Normal.h beside Normal.cpp, and so on); Families.h lists them in catalogue order.
#pragma once

#include <cstddef>

#include "SimpsonWalk.h"
#include "StatInternal.h"

// The catalogue's row of a kind: display name, parameter count, and per parameter its short
// name, its description and its open bounds (the bounds have a fourth slot, always 0).
struct TDistRow {
    const char* name;
    int paramCount;
    const char* paramNames[DistMaxParams];
    const char* paramHints[DistMaxParams];
    double lower[DistMaxParams + 1];
    double upper[DistMaxParams + 1];
};

namespace catalogue {
constexpr double Big = 1.7E308;   // open bound of location-like parameters
constexpr double Wide = 1.3E153;  // open bound where a square must stay finite
}  // namespace catalogue

// The moments of a sample (of its logarithms for the log-normal), in extended precision:
// extremes, mean and variance with divisor n - 1.
struct TSampleMoments {
    L min = 0, max = 0, mean = 0, variance = 0;
    std::size_t n = 0;
};

using TChartRange = void (*)(const TVector& params, double& lo, double& hi);
using TEstimator = void (*)(const TSampleMoments& s, const TVector& data, TVector& params,
                            const TParamSet& which);

// A kind's sound functions, and what tells when its listed method need not be run (see
// TrueValues.cpp). A null entry: the listed function is sound for every in-range input.
// - `cap`: the point where the listed quantile search stops for p (its walking limit, which
//   stays) and whether the search runs upward.
// - `hopeless`: parameters for which the listed method cannot resolve the density at any x.
// - `walkStart`: where the listed walks start, for the bound on their length; the quantile's
//   search too when `searchWalks` (it may stop early of itself otherwise).
// - `checkSearch`: the listed distribution at the sound quantile decides, before the listed
//   search runs, whether that search can agree (a search that goes astray can be long).
struct TSoundKind {
    double (*density)(const TVector& params, double x) = nullptr;
    double (*distribution)(const TVector& params, double x) = nullptr;
    double (*inverse)(const TVector& params, double p) = nullptr;
    bool (*cap)(const TVector& params, double p, double& at, bool& upward) = nullptr;
    bool (*hopeless)(const TVector& params) = nullptr;
    double (*walkStart)(const TVector& params) = nullptr;
    bool searchWalks = false;
    bool checkSearch = false;
};

struct TFamily {
    TDistKind kind;
    TDistRow row;
    // The listed density, distribution and inverse, by mode.
    TDistHandler functions[DistFuncCount];
    TChartRange chartRange;
    TEstimator estimate;      // nullptr: the family has no estimates
    bool estimatesFromLogs;   // the moments are those of the logarithms of the data
    // The density its distribution integrates, with what the grids need to know of it
    // (no density: the family integrates none, or none the grids can share).
    simpson::TIntegrand grid;
    TSoundKind sound;
};

// The descriptor of a kind, from the list in Families.h.
const TFamily& Family(TDistKind kind);

// Where the listed walks of a family start that starts them at 0.
double FromZero(const TVector& params);

// The standard families have no parameters to estimate: an estimation succeeds and writes
// nothing.
void NothingToEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);

// Stores an estimate; a floating-point error raised while forming it ends the estimation
// before the store, leaving what was written before.
void StoreEstimate(TVector& params, int index, L value);
// A degrees-of-freedom estimate: the nearest whole number, halves away from zero.
inline L WholeEstimate(L v)
{
    return std::round(v);
}
inline bool NonzeroEstimate(L v)
{
    return std::fabs(v) > MinPositiveDouble;
}
