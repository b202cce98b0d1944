// One descriptor per family of the catalogue: what every part of the library knows of a kind,
// in one place. Each family defines its descriptors in its own header beside its functions
// (Normal.h beside Normal.cpp, and so on); Families.h lists them in catalogue order.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <stdexcept>

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

// Where a kind's sound functions give the truth: each parameter inside its bounds (open, or
// closed where `closed`), a whole number where `whole` (its whole part is what the functions
// read), and the parameters consistent with each other where the kind says so (min < max).
struct TServed {
    double lower[DistMaxParams];
    double upper[DistMaxParams];
    bool closed = false;  // degrees of freedom: 1 and the largest served are served
    bool whole = false;
    bool (*consistent)(const TVector& params) = nullptr;
    const char* rule = nullptr;  // what `consistent` asks, as a message says it
};

// A kind's sound functions, and what tells when its listed method need not be run (see
// TrueValues.cpp). Every function is the truth for served parameters and raises no error
// flag: a value beyond the double range is an infinity.
// - `density`, `distribution` (P(X <= x)), `upper` (P(X > x), formed directly), `inverse`
//   (the x with P(X <= x) = p) and `upperInverse` (the x with P(X > x) = q), p and q in (0, 1).
// - `hopeless`: parameters for which the listed method cannot resolve the density at any x.
// - `walked`: how far the listed walks go to reach x, in units of their panels' grid (0: the
//   kind's listed functions do not walk), for the bound on their length.
// - `searchTo`: where the listed quantile search goes for p, near enough to bound its length
//   (nullptr: the search stops of itself within the bound, at its walking limit).
// - `checkSearch`: the listed distribution at the sound quantile decides, before the listed
//   search runs, whether that search can agree (a search that goes astray can be long).
struct TSoundKind {
    TServed served;
    double (*density)(const TVector& params, double x) = nullptr;
    double (*distribution)(const TVector& params, double x) = nullptr;
    double (*upper)(const TVector& params, double x) = nullptr;
    double (*inverse)(const TVector& params, double p) = nullptr;
    double (*upperInverse)(const TVector& params, double q) = nullptr;
    bool (*hopeless)(const TVector& params) = nullptr;
    double (*walked)(const TVector& params, double x) = nullptr;
    bool checkSearch = false;
    double (*searchTo)(const TVector& params, double p) = nullptr;
};

// Degrees of freedom are served whole, from 1 to a million.
inline constexpr double MostDegrees = 1e6;
inline constexpr TServed DegreesServed{{1, 1}, {MostDegrees, MostDegrees}, true, true};

// Whether a kind's sound functions serve these parameters.
bool Served(const TServed& served, int count, const TVector& params);

struct TFamily {
    TDistKind kind;
    TDistRow row;
    // The parameters whose estimates use up no degree of freedom of the fitting test, one bit
    // each: whole numbers (degrees of freedom), and estimates that are the sample's extremes
    // (the uniform's ends and the Pareto minimum are the categories' ends or an end of the
    // support).
    unsigned costNoFreedom;
    // The listed density, distribution and inverse, by mode.
    TDistHandler functions[DistFuncCount];
    TChartRange chartRange;
    TEstimator estimate;      // nullptr: the family has no estimates
    bool estimatesFromLogs;   // the moments are those of the logarithms of the data
    // The density its distribution integrates, with what the grids need to know of it
    // (no density: the family integrates none, or none the grids can share).
    simpson::TIntegrand grid;
    TSoundKind sound;
    // The parameters that are an end of the support and, estimated, the sample's extreme there
    // (the uniform's min and max, the Pareto minimum): -1 for none. The tests on the empirical
    // distribution function leave the values at such an end out.
    int lowerEnd = -1, upperEnd = -1;
};

// The descriptor of a kind, from the list in Families.h.
const TFamily& Family(TDistKind kind);

// How far the listed walks of a family that starts them at 0 go to reach x.
double WalkedFromZero(const TVector& params, double x);

// The standard families have no parameters to estimate: an estimation succeeds and writes
// nothing.
void NothingToEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&);

// An estimate that cannot be formed (the data lie outside the support, the likelihood has no
// maximum, ...): the estimation refuses with this message and writes nothing.
struct TRefusal : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The sample's values in ascending order, and its quantile p from them (linear between the
// neighbouring order statistics, as the order statistic (n - 1) p).
std::vector<double> SortedSample(const TVector& data);
L SortedQuantile(const std::vector<double>& sorted, L p);

// Whether one parameter's value lies where the kind's sound functions serve it.
bool ServedParam(const TServed& served, int index, double value);

// Stores an estimate; a floating-point error raised while forming it ends the estimation
// before the store, leaving what was written before.
void StoreEstimate(TVector& params, int index, L value);
// The whole degrees of freedom of largest likelihood beside a continuous maximum at (a
// likelihood with one maximum is largest at one of the whole numbers on either side), within
// 1 to MostDegrees.
template <class LogLikelihood>
L WholeMaximum(L at, LogLikelihood logLikelihood)
{
    const L below = std::clamp<L>(std::floor(at), 1, MostDegrees);
    const L above = std::clamp<L>(std::ceil(at), 1, MostDegrees);
    return above != below && logLikelihood(above) > logLikelihood(below) ? above : below;
}
inline bool NonzeroEstimate(L v)
{
    return std::fabs(v) > MinPositiveDouble;
}
