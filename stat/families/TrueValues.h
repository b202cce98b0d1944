// Which result a user reads. The two words the library turns on:
// - listed: the algorithm the described system gives for a value (the Simpson walks of the
//   2^-10 grid, the closed formulas, the moment estimators), kept bit for bit wherever it is
//   true, that is within 1e-9 relative of the mathematical value (a quantile: relative in x);
// - sound: the method that gives the truth where the listed one does not (incomplete gamma and
//   Beta functions, tail series, searches in extended precision), for the parameters the
//   kind's functions serve (its descriptor's rule). Kinds without a listed algorithm have only
//   sound functions.
// TrueValues.cpp holds the criterion that chooses between them, on the kind, the parameters
// and x alone.
#pragma once

#include "Family.h"

// The value of the family's function for mode at x, inside the caller's floating-point scope.
double TrueValue(const TFamily& family, TDistFunc mode, const TVector& params, double x);
// The same for a listed kind at served parameters and a number x (the rule's last steps).
double ServedTrueValue(const TFamily& family, TDistFunc mode, const TVector& params, double x);
// P(X > x), and the x with P(X > x) = q, inside the caller's floating-point scope.
double TrueUpper(const TFamily& family, const TVector& params, double x);
double TrueUpperInverse(const TFamily& family, const TVector& params, double q);
