// Which result a user reads: the listed method's, or a sound method's where the listed one
// cannot see the density. See TrueValues.cpp for the criterion.
#pragma once

#include "StatInternal.h"

// The value of kind's function for mode at x, inside the caller's floating-point scope;
// `listed` is the listed handler of kind and mode, `listedDistribution` that of its
// distribution.
double TrueValue(TDistKind kind, TDistFunc mode, const TVector& params, double x,
                 TDistHandler listed, TDistHandler listedDistribution);
