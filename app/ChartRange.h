// The plot range of the calculator's chart for each kind, Qt-free.
#pragma once

#include "Stat_Lib.h"

// Sets lo and hi from the kind's table; a floating-point error on the way (Pareto with
// alpha 0, Cauchy with a negative lambda) throws EMathError.
void ChartRange(TDistKind kind, const TVector& params, double& lo, double& hi);
