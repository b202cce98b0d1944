// The calculator's values as its fields show them: a density or probability below the least
// double from its logarithm ("3.655894E-350"), and "< 4.9E-324" where the kind cannot form that
// logarithm; never 0 for a value that is not 0.
#pragma once

#include <string>

#include "Stat_Lib.h"

std::string ShownDensity(TDistKind kind, const TVector& params, double x, char sep);
std::string ShownProbability(TDistKind kind, const TVector& params, TProbability what, double a,
                             double b, char sep);
