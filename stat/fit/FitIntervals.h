// What the intervals of a fit share: the fit itself at the likelihood's maximum beside the
// estimates shown, the standard errors, the chi-square cutoff of a level and the bootstrap
// of the listed estimates.
#pragma once

#include <string>
#include <vector>

#include "Family.h"
#include "Maximise.h"

struct TFit {
    TDistKind kind;
    const TFamily& family;
    const TVector& data;
    TVector shown;              // the estimates the caller shows
    TParamSet estimated;
    std::vector<int> free;      // the indexes of the estimated parameters
    TVector best;               // the likelihood's maximum over them
    L bestLogLikelihood = 0;
    bool shownIsBest = false;   // the shown estimates are that maximum
    std::vector<double> se{};     // per parameter; NaN where the information gives none
    TMatrix covariance{};         // over `regular`, the inverse of the observed information
    std::vector<int> regular{};   // the estimated parameters the information covers (no ends)
    // Intervals from the standard errors in place of the profile: above LargestProfileSample
    // values, where the two agree.
    bool wald = false;
};

// The fit of a question; throws EStat where the data cannot be fitted, with the reason.
TFit FitOf(TDistKind kind, const TVector& data, const TVector& params,
           const TParamSet& estimated);

// The deviance's cutoff of a level: the chi-square quantile with 1 degree of freedom.
L DevianceCutoff(double level);

// The listed estimates of replicates of the sample drawn from the shown fit (BootstrapReplicates
// of them, seeded by the question's digest): one vector per replicate, empty where the
// estimation refused. A replicate holds at most LargestBootstrapSample values: beyond, the
// estimates' deviations shrink as the root of the size, and the caller scales them by
// BootstrapScale.
constexpr std::size_t LargestBootstrapSample = 2000;
std::vector<TVector> BootstrapEstimates(const TFit& fit, std::uint64_t purpose);
double BootstrapScale(const TFit& fit);

// Above this many values the profile likelihood's interval and the Wald interval in the
// coordinate the profile is searched in (the logarithm of a positive quantity) agree to a
// small part of their width, and the latter is formed instead: the profile's maxima would
// pass over the data hundreds of times.
constexpr std::size_t LargestProfileSample = 20000;

// The order statistic at probability p of values (sorted): the ((B + 1) p)-th, the percentile
// interval's end.
double PercentilePoint(const std::vector<double>& sorted, double p);
