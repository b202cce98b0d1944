// The chi-square goodness-of-fit test, Qt-free: equal-width categories between the smallest
// and the largest value, observed and expected counts, the statistic, the degrees of freedom,
// the verdict on the test's assumptions and the found significance level.
#pragma once

#include <cstddef>

#include "Stat_Lib.h"

// k upper bounds: bound i = (max - min)(i + 1) / k + min in extended precision, stored as a
// double. Ascending; the last is the maximum up to rounding.
TVector CategoryBounds(double min, double max, int k);

// The category of x: the first whose upper bound x does not pass; the last one for a value
// above every bound (the rounding of the last bound allows it) or a NaN.
int CategoryOf(double x, const TVector& bounds);

// How many values fall into each category, held as reals.
TVector CategoryCounts(const TVector& data, const TVector& bounds);

// n times the hypothesised probability of each category: category 0 from the left end, the
// others between their bounds; with the upper tail, the last category also takes the
// probability above its bound (1 - F at the bound before it), so the expectations sum to n.
// Every bound is evaluated either way. A floating-point error of the distribution throws
// EMathError.
enum class TUpperTail { Dropped, InLastCategory };
TVector ExpectedCounts(TDistKind kind, const TVector& params, const TVector& bounds,
                       std::size_t n, TUpperTail tail = TUpperTail::Dropped);

struct TChiSquareStatistic {
    long double R = 0;  // sum of (observed - expected)^2 / expected, in extended precision
    int empty = 0;      // categories whose expectation is not above MinPositiveDouble
    long double q = 0;  // share of the categories with more than 5 observed values
};
TChiSquareStatistic ChiSquareStatistic(const TVector& observed, const TVector& expected);

// The verdict on the assumptions for at least one degree of freedom: "Roughly violated",
// "Satisfied", "Slighly crossed" or "Significantly exceeded".
const char* AssumptionVerdict(const TChiSquareStatistic& s);
constexpr const char* FatallyNotSatisfied = "fatally not satisfied";

// 1 - the chi-square distribution with df degrees of freedom at R (as a double); its
// floating-point errors throw EMathError.
double FoundAlpha(int df, long double R);
