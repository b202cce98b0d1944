// Which result a user reads: the listed method's, or a sound method's where the listed one is
// not true. See TrueValues.cpp for the criterion.
#pragma once

#include "Family.h"

// The value of the family's function for mode at x, inside the caller's floating-point scope.
double TrueValue(const TFamily& family, TDistFunc mode, const TVector& params, double x);
// P(X > x), and the x with P(X > x) = q, inside the caller's floating-point scope.
double TrueUpper(const TFamily& family, const TVector& params, double x);
double TrueUpperInverse(const TFamily& family, const TVector& params, double q);
