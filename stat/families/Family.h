// One descriptor per family of the catalogue: what every part of the library knows of a kind,
// in one place. Each family defines its descriptors in its own header beside its functions
// (Normal.h beside Normal.cpp, and so on); Families.h lists them in catalogue order.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>

#include "Integrand.h"
#include "StatInternal.h"

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

// The moments of a sample of at least one value (of its logarithms where `logarithms`).
TSampleMoments MomentsOf(const TVector& data, bool logarithms);
// The sum of the values' logarithms in extended precision, for a law of the positive numbers:
// refuses a value at or below 0 (or infinite). Each logarithm is kept in `logs` where given.
L SumOfLogs(const TVector& data, std::vector<L>* logs = nullptr);

using TChartRange = void (*)(const TVector& params, double& lo, double& hi);
// The law's moments at served parameters (DistMoments: the median is the quantile of 1/2).
using TMomentsOf = TMoments (*)(const TVector& params);
// ln P(X <= x) or ln P(X > x), for tails below the least double: -infinity outside the support.
using TLogTail = L (*)(const TVector& params, double x);
using TEstimator = void (*)(const TSampleMoments& s, const TVector& data, TVector& params,
                            const TParamSet& which);
// The exact interval of parameter `index` at `level`, where a pivot of known law gives one for
// these estimates (false elsewhere).
using TExactInterval = bool (*)(const TVector& data, const TVector& params,
                                const TParamSet& estimated, int index, double level,
                                TParamInterval& interval);
// The standard error of parameter `index` in closed form, where the likelihood has no
// information to give it (false elsewhere): an end of the support, whose likelihood is
// largest at the data's extreme, where it has no slope, or Laplace's location, where it has a
// kink at every value.
using TStandardError = bool (*)(const TVector& data, const TVector& params,
                                const TParamSet& estimated, int index, double& se);

// The values a pair of bounds lets a parameter take: strictly between them, or with both ends
// where `closed`.
struct TBounds {
    double lower = 0, upper = 0;
    bool closed = false;
};

// The end of the support that a parameter is, where its estimate is the sample's extreme there
// (the uniform's min and max, the Pareto minimum). Such an estimate uses no degree of freedom of
// the fitting test (the categories end there), and the tests on the empirical distribution
// function leave the values at that end out.
enum class TSupportEnd : std::uint8_t { None, Lower, Upper };

// What a parameter does to the law: shifts it (a location, or a threshold, a location where
// the support starts), stretches it (a scale), or shapes it. A fitted quantile's profile is
// formed by solving for a location or scale in closed form, and the listed estimates of a
// location-scale law are bootstrapped through their pivots. An estimated threshold makes the
// estimates the product of spacings' maximum (the likelihood has none where the shape lets the
// density grow without bound at the support's start).
enum class TParamRole : std::uint8_t { Shape, Location, Scale, Threshold };

// One parameter of a kind: what the catalogue lists of it and the one rule of the values it
// may take, which every window asks (DistParamRefusal) and the truth rule reads (Served).
struct TParam {
    const char* name = nullptr;  // the short name of prompts, parameter lines and messages
    const char* hint = "";       // the description, the hint of its row in the fitting dialog
    // The catalogue's open bounds: DistParamRange, DistParamValid (the fitting dialog's listed
    // check) and the tables DistParamLower and DistParamUpper.
    TBounds listed{};
    // Where the kind's functions answer truly, when that is not the listed bounds: a standard
    // deviation above 0 where the catalogue lets it run below, degrees of freedom from 1 to a
    // million.
    std::optional<TBounds> served = std::nullopt;
    // A whole number (degrees of freedom): the functions read its whole part, the listed check
    // and the rule ask a whole value, and its estimate uses no degree of freedom of the test.
    bool whole = false;
    TSupportEnd end = TSupportEnd::None;
    TParamRole role = TParamRole::Shape;
};

// The served bounds of a parameter: its own, or the listed ones.
constexpr TBounds ServedBounds(const TParam& p)
{
    return p.served ? *p.served : p.listed;
}

// Degrees of freedom: listed whole from 2 to 1022 (open bounds 1 and 1023), served whole from 1
// to a million.
inline constexpr double MostDegrees = 1e6;
inline constexpr TBounds DegreesListed{.lower = 1, .upper = 1023};
inline constexpr TBounds DegreesServed{.lower = 1, .upper = MostDegrees, .closed = true};

// A rule that ties a kind's parameters to each other (the uniform's max above its min), asked
// of a whole parameter vector, and with the last parameter of a prompt.
struct TTie {
    bool (*holds)(const TVector& params) = nullptr;  // nullptr: no tie
    const char* rule = nullptr;                      // what `holds` asks, as a refusal says it
};

// The listed density, distribution and inverse: the algorithms the described system gives,
// kept bit for bit wherever they are true (TrueValues.cpp).
struct TListed {
    TDistHandler density = nullptr;
    TDistHandler distribution = nullptr;
    TDistHandler inverse = nullptr;

    constexpr TDistHandler operator[](TDistFunc mode) const
    {
        return mode == TDistFunc::Density ? density
               : mode == TDistFunc::Distribution ? distribution
                                                 : inverse;
    }
};

// How far a kind's quick tails may lie from its sound ones, relative.
constexpr double QuickTailError = 1e-13;

// A kind's sound functions, and what tells when its listed method need not be run (see
// TrueValues.cpp). Every function is the truth for served parameters and raises no error
// flag: a value beyond the double range is an infinity.
struct TSoundKind {
    double (*density)(const TVector& params, double x) = nullptr;
    // ln f(x) in extended precision, the likelihood's term: -infinity outside the support; at
    // an end of the support where the density has a finite limit from inside (the uniform's
    // ends), that limit.
    L (*logDensity)(const TVector& params, double x) = nullptr;
    double (*distribution)(const TVector& params, double x) = nullptr;  // P(X <= x)
    double (*upper)(const TVector& params, double x) = nullptr;  // P(X > x), formed directly
    // The x with P(X <= x) = p and the x with P(X > x) = q, for p and q in (0, 1).
    double (*inverse)(const TVector& params, double p) = nullptr;
    double (*upperInverse)(const TVector& params, double q) = nullptr;
    // The quantile of p searched from `start`, a listed quantile: `start` itself where it lies
    // within 1e-9 of it (so the listed value stands without a second look), else
    // the same truth as `inverse` in fewer steps (nullptr: the listed quantile is checked by
    // the tails beside it, and `inverse` answers where it fails).
    double (*inverseFrom)(const TVector& params, double p, double start) = nullptr;
    // The tails' logarithms where they lie below the doubles (nullptr: the kind has none).
    TLogTail logLower = nullptr, logUpper = nullptr;
    // The tails in the doubles' own arithmetic, for the check of a listed quantile only: within
    // QuickTailError relative of `distribution` and `upper` where they answer, -1 where they do
    // not (nullptr: the kind has none).
    double (*quickLower)(const TVector& params, double x) = nullptr;
    double (*quickUpper)(const TVector& params, double x) = nullptr;
    // Parameters for which the listed method cannot resolve the density at any x.
    bool (*hopeless)(const TVector& params) = nullptr;
    // Where the listed formula is closed and its error bounded: true when a listed value of
    // mode at x (raising no error) is within 1e-9 of the truth, told from the value alone, so
    // the sound value need not be formed to compare (nullptr: it is always formed).
    bool (*listedTrue)(TDistFunc mode, const TVector& params, double x, double listed) = nullptr;
    // The listed functions (of a listed kind) raise no error flag and throw nothing where the
    // parameters are served, whatever x: their value is taken without a floating-point scope
    // of its own, and DistEval there opens none (the sound functions raise none at served
    // parameters).
    bool listedQuiet = false;
    // How far the listed walks go to reach x, in units of their panels' grid, for the bound on
    // their length (nullptr: the kind's listed functions do not walk).
    double (*walked)(const TVector& params, double x) = nullptr;
    // The listed distribution at the sound quantile decides, before the listed search runs,
    // whether that search can agree (a search that goes astray can be long).
    bool checkSearch = false;
    // Where the listed quantile search goes for p, near enough to bound its length (nullptr:
    // the search stops of itself within the bound, at its walking limit).
    double (*searchTo)(const TVector& params, double p) = nullptr;
};

// Everything the library knows of one kind, written field by field in the family's header.
struct TFamily {
    TDistKind kind;
    const char* name;  // the display name: DistKindName, the distribution lists
    // Its parameters in order; the slots after the last have no name (ParamsOf counts them).
    TParam params[DistMaxParams] = {};
    TTie tie{};
    TListed listed{};
    TChartRange chart = nullptr;  // the calculator chart's plot range
    TMomentsOf moments = nullptr;
    TEstimator estimate = nullptr;  // nullptr: nothing to estimate (no parameters)
    bool estimateFromLogs = false;  // the estimator's moments are those of the data's logarithms
    // The likelihood's maximum, where `estimate` gives other estimates (the listed moments):
    // the ranking's criteria and the profiles start from it. nullptr: `estimate` is it.
    TEstimator maximise = nullptr;
    // For a threshold kind's profile: the likelihood's maximum of positive values for the
    // parameters in `which` (stored in params), returning the log-likelihood there, with the
    // bits of `maximise` and of the sum of logDensity, sooner (the values' logarithms taken
    // once, the parts of the parameters alone formed once). nullptr: the profile forms them so.
    using TMaximumLikelihood = L (*)(const TVector& values, TVector& params, const TParamSet& which);
    TMaximumLikelihood maximumLikelihood = nullptr;
    TExactInterval exact = nullptr;  // nullptr: no parameter has an exact interval
    TStandardError closedError = nullptr;  // nullptr: the information gives every one
    // An end of the support's interval from the law of the data's extreme there, the other
    // parameters at their estimates, where no pivot gives an exact one (false elsewhere).
    TExactInterval endInterval = nullptr;
    // The density its distribution integrates, with what the grids need to know of it (no
    // density: the family integrates none, or none the grids can share).
    simpson::TIntegrand grid{};
    TSoundKind sound{};
};

// How many parameters a descriptor names.
constexpr int ParamsOf(const TFamily& family)
{
    int count = 0;
    while (count < DistMaxParams && family.params[count].name)
        ++count;
    return count;
}

// The descriptor of a kind, from the list in Families.h.
const TFamily& Family(TDistKind kind);
// Throws EStat for a kind outside the catalogue.
void CheckKind(TDistKind kind);

// How far the listed walks of a family that starts them at 0 go to reach x.
double WalkedFromZero(const TVector& params, double x);

// An estimate that cannot be formed (the data lie outside the support, the likelihood has no
// maximum, ...): the estimation refuses with this message and writes nothing.
struct TRefusal : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The sample's values in ascending order, and its quantile p from them (linear between the
// neighbouring order statistics, as the order statistic (n - 1) p).
std::vector<double> SortedSample(const TVector& data);
L SortedQuantile(const std::vector<double>& sorted, L p);

// Whether one parameter's value lies where the kind's functions serve it, and whether a whole
// vector does (each of its parameters, and the kind's tie).
bool ServedParam(const TParam& param, double value);
bool Served(const TFamily& family, const TVector& params);
// The parameter that is the support's end on that side, where a family has one: -1 for none.
int SupportEndParam(const TFamily& family, TSupportEnd end);
// Whether these estimates take a threshold from the data (its estimate is then no regular
// maximum of the likelihood, which grows without bound toward the smallest value where the
// shape lets the density do so).
constexpr bool ThresholdEstimated(const TFamily& family, const TParamSet& which)
{
    for (int i = 0; i < ParamsOf(family); ++i)
        if (which[i] && family.params[i].role == TParamRole::Threshold)
            return true;
    return false;
}
// Whether an estimate of the parameter uses up a degree of freedom of the fitting test.
constexpr bool CostsFreedom(const TParam& param)
{
    return !param.whole && param.end == TSupportEnd::None;
}

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
