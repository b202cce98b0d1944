#include "PanelSeries.h"

#include <algorithm>
#include <cmath>

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

bool TwoPowersSeries(double a1, double p1, double a2, double p2, double span,
                     simpson::TPanelSeries& series)
{
    constexpr int Terms = simpson::TPanelSeries::Terms;
    const double b1 = std::fabs(a1), b2 = std::fabs(a2);
    if (!(b1 < 1e100 && b2 < 1e100) || !(std::fabs(p1) <= 1e4 && std::fabs(p2) <= 1e4))
        return false;
    const double r = std::min({0.9 / std::max(b1, b2), Terms / (std::fabs(p1) * b1 + std::fabs(p2) * b2 + 1)});
    if (!(span / r <= 0.25))
        return false;
    double u[Terms], v[Terms];
    u[0] = v[0] = 1;
    for (int k = 0; k + 1 < Terms; ++k) {
        u[k + 1] = u[k] * (p1 - k) * a1 / (k + 1);
        v[k + 1] = v[k] * (p2 - k) * a2 / (k + 1);
    }
    double e[Terms];
    for (int k = 0; k < Terms; ++k) {
        double sum = 0, size = 0;
        for (int j = 0; j <= k; ++j) {
            sum += u[j] * v[k - j];
            size += std::fabs(u[j] * v[k - j]);
        }
        series.c[k] = sum;
        e[k] = k == 0 ? 0 : size * (4 * k + 2) * 0x1p-52;
    }
    series.error = simpson::SeriesRoundings(e, span);
    const auto most = [r](double b, double p) { return std::pow(p >= 0 ? 1 + b * r : 1 - b * r, p); };
    const double M = most(b1, p1) * most(b2, p2) * (1 + 1e-12);
    if (!simpson::CauchyRest(r, M, span, series))
        return false;
    double bend4 = 0;
    for (int k = Terms - 1; k >= 4; --k)
        bend4 = bend4 * span + (std::fabs(series.c[k]) + e[k]) * (k * (k - 1) * (k - 2) * (k - 3));
    const double ratio = span / r, r2 = r * r;
    bend4 += M * 11880 * std::pow(ratio, 8) / (1 - 0.345) / (r2 * r2);
    series.bend4 = std::min(series.bend4, bend4 * (1 + 1e-9));
    return true;
}
