// The Kolmogorov-Smirnov test: its statistic from the sample's probabilities, and the upper
// tail of its law for a hypothesis with every parameter given.
#include <algorithm>
#include <bit>
#include <cmath>
#include <vector>

#include "StatInternal.h"

double KolmogorovSmirnovStatistic(const TEdfSample& sample)
{
    const std::size_t n = sample.lower.size();
    L d = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const L f = sample.lower[i];
        d = std::max({d, L(i + 1) / n - f, f - L(i) / n});
    }
    return static_cast<double>(d);
}

namespace {
// P(D_n < d) exactly, by the power of Durbin's matrix (G. Marsaglia, W. W. Tsang and J. Wang,
// J. Stat. Software 8 (18), 2003): m = 2k - 1 rows for k = floor(n d) + 1, powers kept with a
// decimal exponent of their own.
struct TScaledMatrix {
    int m;
    std::vector<double> v;
    int exponent = 0;
    double& at(int i, int j) { return v[static_cast<std::size_t>(i) * m + j]; }
};

TScaledMatrix Product(const TScaledMatrix& a, const TScaledMatrix& b)
{
    const int m = a.m;
    TScaledMatrix c{m, std::vector<double>(static_cast<std::size_t>(m) * m), a.exponent + b.exponent};
    for (int i = 0; i < m; ++i)
        for (int k = 0; k < m; ++k) {
            const double aik = a.v[static_cast<std::size_t>(i) * m + k];
            if (aik == 0)
                continue;
            const double* row = &b.v[static_cast<std::size_t>(k) * m];
            double* out = &c.v[static_cast<std::size_t>(i) * m];
            for (int j = 0; j < m; ++j)
                out[j] += aik * row[j];
        }
    double& centre = c.at(m / 2, m / 2);
    if (centre > 1e140) {
        for (double& x : c.v)
            x *= 1e-140;
        c.exponent += 140;
    }
    return c;
}

TScaledMatrix Power(const TScaledMatrix& a, std::size_t n)
{
    if (n == 1)
        return a;
    const TScaledMatrix half = Power(a, n / 2);
    const TScaledMatrix square = Product(half, half);
    return n % 2 == 0 ? square : Product(a, square);
}

double DurbinBelow(std::size_t n, double d)
{
    const int k = static_cast<int>(n * d) + 1;
    const int m = 2 * k - 1;
    const double h = k - n * d;
    TScaledMatrix H{m, std::vector<double>(static_cast<std::size_t>(m) * m)};
    for (int i = 0; i < m; ++i)
        for (int j = 0; j < m; ++j)
            H.at(i, j) = i - j + 1 < 0 ? 0 : 1;
    for (int i = 0; i < m; ++i) {
        H.at(i, 0) -= std::pow(h, i + 1);
        H.at(m - 1, i) -= std::pow(h, m - i);
    }
    H.at(m - 1, 0) += 2 * h - 1 > 0 ? std::pow(2 * h - 1, m) : 0;
    for (int i = 0; i < m; ++i)
        for (int j = 0; j < m; ++j)
            for (int g = 1; g <= i - j + 1; ++g)
                H.at(i, j) /= g;
    TScaledMatrix Q = Power(H, n);
    double s = Q.at(k - 1, k - 1);
    int exponent = Q.exponent;
    for (std::size_t i = 1; i <= n; ++i) {
        s = s * static_cast<double>(i) / static_cast<double>(n);
        if (s < 1e-140) {
            s *= 1e140;
            exponent -= 140;
        }
    }
    return s * std::pow(10.0, exponent);
}

// P(D_n < d) for large n by the asymptotic series of W. Pelz and I. J. Good (1976) to the
// order n^(-3/2), as R. Simard and P. L'Ecuyer give it (J. Stat. Software 39 (11), 2011); its
// upper tail is within 2e-7 relative of the exact one from n = 5500 with n d^2 below 4.6.
double PelzGoodBelow(std::size_t count, double d)
{
    constexpr int Terms = 20;
    constexpr L Eps = 1e-10L;
    const L n = count, root = std::sqrt(n), z = root * d;
    const L z2 = z * z, z4 = z2 * z2, z6 = z4 * z2;
    const L pi2 = Pi * Pi, pi4 = pi2 * pi2, w = pi2 / (2 * z2);
    const L c = std::sqrt(2 * Pi), c2 = std::sqrt(Pi / 2);
    // Each sum over j runs until its term is small beside the sum.
    const auto series = [&](int from, bool halves, auto term) {
        L sum = 0;
        for (int j = from; j <= Terms; ++j) {
            const L t = term(halves ? j + L(0.5) : L(j));
            sum += t;
            if (std::fabs(t) <= Eps * std::fabs(sum))
                break;
        }
        return sum;
    };
    L p = series(0, true, [&](L t) { return std::exp(-t * t * w); }) * c / z;
    p += series(0, true, [&](L t) { return (pi2 * t * t - z2) * std::exp(-t * t * w); }) * c2 /
         (root * 3 * z4);
    p += series(0, true, [&](L t) {
             const L t2 = t * t;
             return (6 * z6 + 2 * z4 + pi2 * (2 * z4 - 5 * z2) * t2 + pi4 * (1 - 2 * z2) * t2 * t2) *
                    std::exp(-t2 * w);
         }) * c2 / (n * 36 * z * z6);
    p -= series(1, false, [&](L t) { return pi2 * t * t * std::exp(-t * t * w); }) * c2 /
         (n * 18 * z * z2);
    p += series(0, true, [&](L t) {
             const L t2 = t * t;
             return (-30 * z6 - 90 * z6 * z2 + pi2 * (135 * z4 - 96 * z6) * t2 +
                     pi4 * (212 * z4 - 60 * z2) * t2 * t2 + pi2 * pi4 * t2 * t2 * t2 * (5 - 30 * z2)) *
                    std::exp(-t2 * w);
         }) * c2 / (root * n * 3240 * z4 * z6);
    p += series(1, false, [&](L t) {
             const L t2 = t * t;
             return (3 * pi2 * t2 * z2 - pi4 * t2 * t2) * std::exp(-t2 * w);
         }) * c2 / (root * n * 108 * z6);
    return static_cast<double>(p);
}

// P(D+_n >= d) exactly (N. Smirnov; Z. W. Birnbaum and F. H. Tingey, 1951): twice it is the
// two-sided tail and the chance of passing both bounds, which is 0 for d >= 1/2.
double OneSidedUpper(std::size_t count, double d)
{
    // The terms run to j = floor(n (1 - d)) < n (d > 0); a term whose first base is 0 is 0.
    const L n = count;
    // LogGamma, not std::lgamma: the test runs on worker threads, and std::lgamma writes a
    // global sign.
    const L logFactorial = LogGamma(n + 1);
    L sum = 0;
    const std::size_t last = static_cast<std::size_t>(std::floor(n * (1 - L(d))));
    for (std::size_t j = 0; j <= last; ++j) {
        const L rest = 1 - L(d) - L(j) / n;
        if (!(rest > 0))
            continue;
        sum += std::exp(logFactorial - LogGamma(L(j) + 1) - LogGamma(n - j + 1) +
                        (n - j) * std::log(rest) + (L(j) - 1) * std::log(L(d) + L(j) / n));
    }
    return static_cast<double>(d * sum);
}
}  // namespace

namespace {
// Durbin's matrix costs m^3 operations a product and log2 n + (its ones) products: it is formed
// wherever that stays within DurbinWork (about a third of a second here, n = 5000 at
// p = 2e-4).
bool DurbinAffordable(std::size_t n, double d)
{
    constexpr double DurbinWork = 5e8;
    const double m = 2 * std::floor(n * d) + 1;
    const double products = std::bit_width(n) + std::popcount(n) - 2;
    return m * m * m * std::max(1.0, products) <= DurbinWork;
}
}  // namespace

double KolmogorovSmirnovTypedP(std::size_t n, double d)
{
    if (std::isnan(d) || n == 0)
        return HUGE_VAL - HUGE_VAL;
    if (d >= 1)
        return 0;
    if (d <= 0.5 / n)
        return 1;  // every sample is at least this far from its law somewhere
    // Beyond it the chance of passing both bounds is below 1e-12 of the tail (for the limit,
    // e^(-6 n d^2) of it): twice the one-sided tail is the two-sided one.
    constexpr double BothBoundsNegligible = 4.6;
    if (d >= 0.5 || n * d * d >= BothBoundsNegligible)
        return std::min(1.0, 2 * OneSidedUpper(n, d));
    const double below = DurbinAffordable(n, d) ? DurbinBelow(n, d) : PelzGoodBelow(n, d);
    return std::min(1.0, std::max(0.0, 1 - below));
}

double KolmogorovSmirnovPoint(std::size_t n, double p)
{
    // M. A. Stephens (1970): sqrt(n) + 0.12 + 0.11 / sqrt(n) times D follows the limiting law
    // closely; the limit's point of p from its first term, sqrt(-ln(p / 2) / 2).
    const L root = std::sqrt(L(n));
    const L guess = std::sqrt(-std::log(L(p) / 2) / 2) / (root + 0.12L + 0.11L / root);
    // Above 1000 values the law's p-value by Pelz and Good's series, within 1e-6 of it there:
    // the point moves less than that, and Durbin's matrix would take a second.
    const auto excess = [&](L d) {
        const double at = static_cast<double>(d);
        return (n > 1000 && n * at * at < 4.6 ? L(1) - PelzGoodBelow(n, at)
                                              : L(KolmogorovSmirnovTypedP(n, at))) - p;
    };
    L lo = std::max<L>(0.5L / n, guess * 0.9L), hi = std::min<L>(1, guess * 1.1L);
    while (lo > 0.5L / n && excess(lo) < 0)
        lo = std::max<L>(0.5L / n, lo * 0.8L);
    while (hi < 1 && excess(hi) > 0)
        hi = std::min<L>(1, hi * 1.25L);
    // Illinois steps to a relative 1e-9 (a band on a chart, a critical value), each an
    // evaluation of the law.
    L flo = excess(lo), fhi = excess(hi);
    int side = 0;
    while (hi - lo > 1e-9L * hi && flo != 0 && fhi != 0) {
        L d = (lo * fhi - hi * flo) / (fhi - flo);
        if (!(d > lo && d < hi))
            d = lo + (hi - lo) / 2;
        const L fd = excess(d);
        if ((fd < 0) == (flo < 0)) {
            lo = d;
            flo = fd;
            if (side == -1)
                fhi /= 2;
            side = -1;
        } else {
            hi = d;
            fhi = fd;
            if (side == 1)
                flo /= 2;
            side = 1;
        }
    }
    return static_cast<double>(flo == 0 ? lo : fhi == 0 ? hi : lo + (hi - lo) / 2);
}
