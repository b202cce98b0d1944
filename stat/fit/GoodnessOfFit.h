// The chi-square goodness-of-fit test, Qt-free: equal-width categories between the smallest
// and the largest value, observed and expected counts, the statistic, the degrees of freedom,
// the verdict on the test's assumptions and the found significance level.
#pragma once

#include <cstddef>

#include "Fit_Lib.h"

// The categories, their counts and expectations are declared in Stat_Lib.h (the experimental
// generator shares them).

// Merges every category that expects more than 0 but less than 1 value into its neighbour
// toward the centre, the one farthest from the centre first (the left one of two as far),
// until none is left or one category remains; the middle one of an odd count goes to its
// neighbour that expects more. Categories that expect 0 stay (they count as empty).
void MergeScant(TVector& observed, TVector& expected);

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

// The upper tail of the chi-square distribution with df degrees of freedom at R (as a double),
// with its own relative precision: never above 1, and true down to the smallest doubles.
double FoundAlpha(int df, long double R);
