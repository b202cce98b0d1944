#include "Symmetric.h"

#include <algorithm>
#include <cmath>

double SymmetricDistribution(const simpson::TIntegrand& density, const TVector& params, double x)
{
    if (x < 0)
        return static_cast<double>(1.0L - SymmetricDistribution(density, params, -x));
    return static_cast<double>(0.5L + SimpsonIntegral(density, params, 0, x));
}

double SymmetricInverse(const simpson::TIntegrand& density, const TVector& params, double p, double limit,
                        double lowest)
{
    if (p > 0.5 && p < 1)
        return SimpsonInverse(density, params, 0, static_cast<double>(p - 0.5L), limit);
    if (p > lowest && p < 0.5)
        return -SimpsonInverse(density, params, 0, static_cast<double>(0.5L - p), limit);
    return 0;
}

bool QuadraticPowerSeries(double u, double E, double alpha, double span, simpson::TPanelSeries& series)
{
    constexpr int Terms = simpson::TPanelSeries::Terms;
    if (!(E > 0 && E < 1e300) || !(alpha < 0))
        return false;
    const double a = 2 * u / E, b = 1 / E;
    double* c = series.c;
    double e[Terms];
    c[0] = 1;
    e[0] = 0;
    c[1] = alpha * a;
    e[1] = 0x1p-50 * std::fabs(c[1]);
    for (int k = 1; k + 1 < Terms; ++k) {
        const double A = (alpha - k) * a, B = (2 * alpha - k + 1) * b;
        c[k + 1] = (A * c[k] + B * c[k - 1]) / (k + 1);
        e[k + 1] = (std::fabs(A) * e[k] + std::fabs(B) * e[k - 1] +
                    0x1p-49 * (std::fabs(A * c[k]) + std::fabs(B * c[k - 1]))) /
                   (k + 1);
    }
    series.error = simpson::SeriesRoundings(e, span);
    const double r = std::min(1.0, std::sqrt(E) / 5);
    const double zmax = (2 * std::fabs(u) * r + r * r) / E;
    const double M = std::exp(-alpha * (zmax + zmax * zmax));
    return simpson::CauchyRest(r, M * (1 + 1e-12), span, series);
}
