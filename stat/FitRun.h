// One whole chi-square goodness-of-fit run on a sample, Qt-free, as the fitting tab's Execute
// forms it: sort for the extremes, equal-width categories, counts, expectations, statistic.
#pragma once

#include "GoodnessOfFit.h"

struct TFitRun {
    TIntVector order;
    TVector bounds, observed, expected;
    TChiSquareStatistic statistic;
    int df = 0;  // degrees of freedom for the found alpha; below 1 the test says nothing
};

// Throws EMathError for a floating-point fault of the hypothesised distribution.
TFitRun RunFitTest(const TVector& data, TDistKind kind, const TVector& params, int estimated,
                   int k);
