// Distribution and inverse of a density symmetric about 0 (standard normal, Student): the
// walk runs from 0 outwards and the lower half is the mirror of the upper.
#pragma once

#include "SimpsonWalk.h"

// 0.5 plus the integral from 0 to x; for x < 0, 1 minus the value at -x.
double SymmetricDistribution(const simpson::TIntegrand& density, const TVector& params, double x);

// For 0.5 < p < 1 the point where the area from 0 reaches p - 0.5 (searching up to limit);
// for lowest < p < 0.5 the mirror of the point for 1 - p; otherwise 0.
double SymmetricInverse(const simpson::TIntegrand& density, const TVector& params, double p, double limit,
                        double lowest);

// The series over a panel of a density C (D + u^2)^alpha at u, the distance from its centre
// (Student: D = n, Cauchy: D = lambda^2), for the grids' halvings: f(u + t) / f(u) =
// (1 + z)^alpha, z = (2 u t + t^2) / E, E = D + u^2, whose coefficients follow from
// (1 + z) g' = alpha z' g: (k + 1) g(k+1) = (alpha - k) a g(k) + (2 alpha - k + 1) b g(k-1),
// a = 2u / E, b = 1 / E, their roundings (with those of E and a, within 2^-50) bounded as
// they run. On the circle |t| = r, r = min(1, sqrt(E) / 5), |z| <= zmax <= 0.44, so
// |g| <= (1 - zmax)^alpha <= exp(-alpha (zmax + zmax^2)) for alpha < 0. The caller gives how
// far its listed density lies from its formula (series.listed).
bool QuadraticPowerSeries(double u, double E, double alpha, double span, simpson::TPanelSeries& series);
