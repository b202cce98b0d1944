// The series over a panel of densities of two common forms, for the grids' halvings (see
// simpson::TPanelSeries): each family gives its density's form and how far its listed
// density lies from that form (series.listed).
#pragma once

#include "Integrand.h"

// The series over a panel of a density C (D + u^2)^alpha at u, the distance from its centre
// (Student: D = n, Cauchy: D = lambda^2), for the grids' halvings: f(u + t) / f(u) =
// (1 + z)^alpha, z = (2 u t + t^2) / E, E = D + u^2, whose coefficients follow from
// (1 + z) g' = alpha z' g: (k + 1) g(k+1) = (alpha - k) a g(k) + (2 alpha - k + 1) b g(k-1),
// a = 2u / E, b = 1 / E, their roundings (with those of E and a, within 2^-50) bounded as
// they run. On the circle |t| = r, r = min(1, sqrt(E) / 5), |z| <= zmax <= 0.44, so
// |g| <= (1 - zmax)^alpha <= exp(-alpha (zmax + zmax^2)) for alpha < 0. The caller gives how
// far its listed density lies from its formula (series.listed).
bool QuadraticPowerSeries(double u, double E, double alpha, double span, simpson::TPanelSeries& series);

// The series of g(t) = (1 + a1 t)^p1 (1 + a2 t)^p2, the ratio f(x + t) / f(x) of a density
// made of two powers (Beta: a1 = 1/x, a2 = -1/(1 - x); F: a1 = 1/x, a2 = n / (n x + m)), for
// a density with one peak. The binomial terms follow u(k+1) = u(k) (p - k) a / (k + 1), each
// within 5k roundings (a's own among them), and their convolution within k + 1 more. g is
// analytic for |t| < min(1 / |a1|, 1 / |a2|); on a circle of radius r short of that,
// |1 + a t|^p <= (1 + |a| r)^p for p >= 0 and (1 - |a| r)^p below, and r is taken near where
// that bound over r^Terms is least. Cauchy's bound on the fourth derivative is loose where r
// is short beside the density's width; the series' own is sharper: its terms with their
// rounding errors, and past them the coefficients below M / r^k, whose terms
// k (k-1) (k-2) (k-3) M q^(k-4) / r^4 fall by at least (13/12)^4 / 4 < 0.345 each from k = 12
// (11880 at k = 12).
bool TwoPowersSeries(double a1, double p1, double a2, double p2, double span,
                     simpson::TPanelSeries& series);
