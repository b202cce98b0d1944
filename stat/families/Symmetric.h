// Distribution and inverse of a density symmetric about 0 (standard normal, Student): the
// walk runs from 0 outwards and the lower half is the mirror of the upper.
#pragma once

#include "Integrand.h"

// 0.5 plus the integral from 0 to x; for x < 0, 1 minus the value at -x.
double SymmetricDistribution(const simpson::TIntegrand& density, const TVector& params, double x);

// For 0.5 < p < 1 the point where the area from 0 reaches p - 0.5 (searching up to limit);
// for lowest < p < 0.5 the mirror of the point for 1 - p; otherwise 0.
double SymmetricInverse(const simpson::TIntegrand& density, const TVector& params, double p, double limit,
                        double lowest);
