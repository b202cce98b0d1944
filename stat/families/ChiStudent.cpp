// Chi-square and Student distributions for whole-number degrees of freedom.
#include "ChiStudent.h"
#include "Moments.h"
#include "Maximise.h"
#include "PanelSeries.h"
#include "Symmetric.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {
// The chi-square distribution at 0.25 for n = 1, 2, 3: the start of its numerical work there.
const double Chi2AtQuarter[4] = {0, 0.382924922548026, 0.117503097415405, 0.0308595957837268};
constexpr double Chi2Start = 0.25;
constexpr double Chi2SmallLimit = 300;
constexpr double Chi2Limit = 1000000;
constexpr double StudentLimit = 50;
const long double StudentPi = 3.14159265358979L;

long long Degrees(const TVector& params)
{
    return WholeDegrees(params[0]);
}

// Values that depend on the degrees of freedom alone, formed once per n (per thread) by the
// same arithmetic, with the error flags they raised (2^(n/2) overflows its double base from
// n = 1024 on).
long double Chi2PowerOfTwo(long long n)
{
    thread_local long long last = 0;  // 0: nothing remembered yet
    thread_local Remembered value;
    if (n != last || n == 0) {
        value = Remembered::Of([n] { return HalfPowerOfTwo(n); });
        last = n;
    }
    return value.Use();
}

struct StudentConstants {
    Remembered root;   // sqrt(n * pi)
    Remembered ratio;  // HalfGamma(n + 1) / HalfGamma(n)
};

const StudentConstants& StudentConstantsFor(long long n)
{
    thread_local long long last = 0;  // 0: nothing remembered yet
    thread_local StudentConstants c;
    if (n != last || n == 0) {
        c.root = Remembered::Of([n] { return std::sqrt(n * StudentPi); });
        c.ratio = Remembered::Of([n] { return HalfGamma(n + 1) / HalfGamma(n); });
        last = n;
    }
    return c;
}
}  // namespace

// Degrees of freedom below 1 have no chi-square distribution: all three functions give 0.
double Chi2Density(const TVector& params, double x)
{
    const long long n = Degrees(params);
    if (!(x > MinPositiveDouble) || n < 1)
        return 0;
    const long double lx = x;
    return StoreDouble(std::exp(-lx / 2) * (HalfPower(n - 2, lx) / Chi2PowerOfTwo(n)) /
                       HalfGamma(n));
}

double Chi2Distribution(const TVector& params, double x)
{
    const long long n = Degrees(params);
    if (x <= 0 || n < 1)
        return 0;
    if (n <= 3)
        return static_cast<double>(static_cast<long double>(Chi2AtQuarter[n]) +
                                   SimpsonIntegral(Chi2Family.grid, params, Chi2Start, x));
    return SimpsonIntegral(Chi2Family.grid, params, 0, x);
}

double Chi2Inverse(const TVector& params, double p)
{
    const long long n = Degrees(params);
    if (n < 1 || !InOpenUnit(p))
        return 0;
    if (n <= 3) {
        const double c = Chi2AtQuarter[n];
        if (p > c)
            return SimpsonInverse(Chi2Family.grid, params, Chi2Start,
                                  static_cast<double>(p - static_cast<long double>(c)),
                                  Chi2SmallLimit);
        return SimpsonInverse(Chi2Family.grid, params, Chi2Start,
                              static_cast<double>(c - static_cast<long double>(p)), 0);
    }
    return SimpsonInverse(Chi2Family.grid, params, 0, p, Chi2Limit);
}

double StudentDensity(const TVector& params, double x)
{
    const long long n = Degrees(params);
    const long double lx = x;
    const double y = static_cast<double>(lx * lx / n + 1);
    const StudentConstants& c = StudentConstantsFor(n);
    const long double B = c.root.Use() * HalfPower(n + 1, y);
    return static_cast<double>(c.ratio.Use() / B);
}

double StudentDistribution(const TVector& params, double x)
{
    return SymmetricDistribution(StudentFamily.grid, params, x);
}

double StudentInverse(const TVector& params, double p)
{
    return SymmetricInverse(StudentFamily.grid, params, p, StudentLimit, 0);
}

// The listed density is exp(-x/2) x^(n/2 - 1) / (2^(n/2) Gamma(n/2)) in extended precision,
// rounded to a double (HalfPower's squarings add n roundings of the extended precision).
// f(x + t) / f(x) = (1 + t/x)^beta exp(-t/2), beta = n/2 - 1; from (x + t) g' =
// (beta - (x + t)/2) g, x (k + 1) g(k+1) = (beta - k - x/2) g(k) - g(k-1) / 2. On the circle
// |t| = r, r = min(x/2, x / (|beta| + 1), 1), |1 + t/x| lies between 1 - r/x and 1 + r/x, so
// |g| <= max((1 + r/x)^beta, (1 - r/x)^beta) e^(r/2). For n up to 1023, where neither the
// density nor its constants raise a flag.
bool Chi2PanelSeries(const TVector& params, double x, double span, simpson::TPanelSeries& series)
{
    constexpr int Terms = simpson::TPanelSeries::Terms;
    const double whole = std::trunc(params[0]);
    if (!(whole >= 1 && whole <= 1023) || !(x > 0 && x <= Chi2Limit))
        return false;
    const double beta = whole / 2 - 1;
    // The radius first: where it is too short for the span, the coefficients (which grow
    // like its inverse powers) are not formed.
    const double r = std::min({x / 2, x / (std::fabs(beta) + 1), 1.0});
    if (!(span / r <= 0.25))
        return false;
    double* c = series.c;
    double e[Terms];
    c[0] = 1;
    e[0] = 0;
    c[1] = (beta - x / 2) / x;
    e[1] = 0x1p-50 * (std::fabs(beta) + x / 2) / x;
    for (int k = 1; k + 1 < Terms; ++k) {
        const double A = beta - k - x / 2, over = x * (k + 1);
        c[k + 1] = (A * c[k] - c[k - 1] / 2) / over;
        e[k + 1] = (std::fabs(A) * e[k] + e[k - 1] / 2 +
                    0x1p-49 * (std::fabs(A * c[k]) + std::fabs(c[k - 1]) / 2)) /
                   over;
    }
    series.error = simpson::SeriesRoundings(e, span);
    const double M = std::max(std::pow(1 + r / x, beta), std::pow(1 - r / x, beta)) * std::exp(r / 2);
    series.listed = 0x1p-52 + (whole + 4) * 0x1p-62;
    return simpson::CauchyRest(r, M * (1 + 1e-12), span, series);
}

// The listed density is C (1 + x^2 / n)^(-(n+1)/2) with 1 + x^2 / n rounded to a double
// (which the power magnifies (n + 1) / 2 times) and the power squared in extended precision:
// the series of C' (n + x^2)^(-(n+1)/2). For n up to 1023, where neither the density nor its
// constants raise a flag.
bool StudentPanelSeries(const TVector& params, double x, double span, simpson::TPanelSeries& series)
{
    const double whole = std::trunc(params[0]);
    if (!(whole >= 1 && whole <= 1023) || !(std::fabs(x) <= StudentLimit))
        return false;
    series.listed = ((whole + 1) / 2 + 4) * 0x1p-52 + (whole + 1) * 0x1p-62;
    return QuadraticPowerSeries(x, whole + x * x, -(whole + 1) / 2, span, series);
}

// The chi-square density beyond a bound on its log density, while its powers stay in the
// extended range.
simpson::ZeroTail Chi2ZeroTail(const TVector& params, double h)
{
    constexpr long double LogZero = -750;  // below half the smallest double
    constexpr double Largest = DBL_MAX;
    const double d = h > 0 ? 1 : -1;
    const simpson::ZeroTail none{d * HUGE_VAL, d * HUGE_VAL, h};
    if (h < 0 || params.empty())
        return none;
    // ln f = (n/2 - 1) ln x - x/2 - (n/2) ln 2 - ln Gamma(n/2) falls from the mode n - 2
    // on; x0 lies within a unit beyond the point where ln f falls below LogZero. HalfPower
    // squares x up to x^(2^b), b the bit length of (n - 2)/2: it stays in the extended
    // range below e^(11000 / 2^b).
    const double whole = std::trunc(params[0]);
    if (!(whole >= 1 && whole <= 1023))
        return none;
    const long long n = static_cast<long long>(whole);
    const long double half = n / 2.0L;
    const long double logNorm = half * std::log(2.0L) + LogGamma(half);
    const auto logDensity = [&](long double x) { return (half - 1) * std::log(x) - x / 2 - logNorm; };
    long double x0 = 1;
    while (x0 < n - 2 || logDensity(x0) > LogZero)
        x0 *= 2;
    // Down to within a unit of the first point where it is.
    for (long double lo = std::max<long double>(x0 / 2, n - 2); x0 - lo > 1;) {
        const long double mid = (lo + x0) / 2;
        (logDensity(mid) > LogZero ? lo : x0) = mid;
    }
    int bits = 0;
    for (long long m = n >= 2 ? (n - 2) / 2 : 0; m > 0; m >>= 1)
        ++bits;
    const long double limit = 11000.0L / std::ldexp(1.0L, bits);
    if (!(std::log(x0) < limit))
        return none;
    const long double to = limit > 709 ? Largest : std::exp(limit);
    return {static_cast<double>(x0), static_cast<double>(to), h};
}

// The calculator charts' ranges.
void Chi2Chart(const TVector& p, double& lo, double& hi)
{
    lo = 0;
    hi = 1.5 * p[0] + 6;
}

void StudentChart(const TVector&, double& lo, double& hi)
{
    lo = -5;
    hi = 5;
}

// ---- Estimates: maximum likelihood for the whole degrees of freedom ------------------------
// The likelihood of N: with A the mean of ln x, its score vanishes where psi(N/2) = A - ln 2
// (psi increases: one root, found by the Illinois method on N in its served range).
void Chi2Estimate(const TSampleMoments& s, const TVector& data, TVector& params,
                  const TParamSet& which)
{
    if (!which[0])
        return;
    const L sumLog = SumOfLogs(data);
    const L n = s.n, A = sumLog / n, target = A - std::log(2.0L);
    const auto score = [&](L nu) { return Digamma(nu / 2) - target; };
    const L at = score(1) >= 0              ? 1
                 : score(MostDegrees) <= 0 ? MostDegrees
                                           : RootOf(score, 1, MostDegrees);
    StoreEstimate(params, 0, WholeMaximum(at, [&](L N) {
                      return n * ((N / 2 - 1) * A - s.mean / 2 - N / 2 * std::log(2.0L) - LogGamma(N / 2));
                  }));
}

// The likelihood of N for Student's t (no location or scale):
// n (ln Gamma((N+1)/2) - ln Gamma(N/2) - ln(N pi)/2) - (N+1)/2 sum ln(1 + x^2/N), maximised by
// Newton's steps in ln N from the variance's estimate N = 2 s2 / (s2 - 1); a sample with light
// tails takes the largest N served. With r = x^2 / (N (N + x^2)) its derivatives are
// n/2 (psi((N+1)/2) - psi(N/2) - 1/N) - 1/2 sum ln(1 + x^2/N) + (N+1)/2 sum r and
// n/4 (psi'((N+1)/2) - psi'(N/2)) + n / (2 N^2) + sum r + (N+1)/2 sum dr/dN.
void StudentEstimate(const TSampleMoments& s, const TVector& data, TVector& params,
                     const TParamSet& which)
{
    if (!which[0])
        return;
    for (double x : data)
        if (!std::isfinite(x))
            throw TRefusal("the buffer holds a value that is not finite");
    const L n = s.n;
    enum Sum { Logs, R, DR, SumCount };
    const auto form = [&](const std::vector<L>& t) {
        const double nu = static_cast<double>(t[0]);
        std::array<L, SumCount> out;
        BlockSums(data, [&](double x, std::array<double, SumCount>& b) {
            const double square = x * x, inner = nu * (nu + square), r = square / inner;
            b[Logs] += std::log1p(square / nu);
            b[R] += r;
            b[DR] -= r * (2 * nu + square) / inner;
            return true;
        }, out);
        return out;
    };
    TSumsAt<std::array<L, SumCount>, decltype(form)> sums(form);
    const auto logLikelihood = [&](L N, L logs) {
        return n * (LogGamma((N + 1) / 2) - LogGamma(N / 2) - std::log(N * Pi) / 2) -
               (N + 1) / 2 * logs;
    };
    const TGradient gradient = [&](const std::vector<L>& t, std::vector<L>& g) {
        const L N = t[0];
        const auto& a = sums.At(t);
        g[0] = n / 2 * (Digamma((N + 1) / 2) - Digamma(N / 2) - 1 / N) - a[Logs] / 2 +
               (N + 1) / 2 * a[R];
        return logLikelihood(N, a[Logs]);
    };
    const THessian hessian = [&](const std::vector<L>& t, TMatrix& H) {
        const L N = t[0];
        const auto& a = sums.At(t);
        H[0][0] = n / 4 * (Trigamma((N + 1) / 2) - Trigamma(N / 2)) + n / (2 * N * N) + a[R] +
                  (N + 1) / 2 * a[DR];
    };
    const L s2 = s.variance;
    const L start = s2 > 1 ? std::clamp<L>(2 * s2 / (s2 - 1), 1, 1000) : 1000;
    const TMaximised best = Maximise({{start, true, 1, MostDegrees}}, gradient, hessian);
    if (!best.converged)
        throw TRefusal("the likelihood has no maximum");
    StoreEstimate(params, 0, WholeMaximum(best.at[0], [&](L N) {
                      return logLikelihood(N, sums.At({N})[Logs]);
                  }));
}

TMoments Chi2Moments(const TVector& params)
{
    const L n = params[0];
    return MomentsOf(n, std::sqrt(2 * n), n > 2 ? n - 2 : 0, std::sqrt(8 / n), 12 / n);
}

// The mean exists for N > 1, the variance for N > 2 (infinite above 1), the skewness for N > 3
// and the kurtosis for N > 4 (infinite above 2).
TMoments StudentMoments(const TVector& params)
{
    const L n = params[0];
    return MomentsOf(n > 1 ? 0 : NoMoment,
                     n > 2 ? std::sqrt(n / (n - 2)) : n > 1 ? HUGE_VALL : NoMoment, 0,
                     n > 3 ? 0 : NoMoment, n > 4 ? 6 / (n - 4) : n > 2 ? HUGE_VALL : NoMoment);
}
