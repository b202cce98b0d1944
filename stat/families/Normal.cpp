// Standard normal, normal and log-normal distributions.
#include "Normal.h"
#include "SoundMethods.h"
#include "Symmetric.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {
const long double NormalFactor = 0.398942280401433L;     // stands for 1/sqrt(2 pi)
const long double LogNormalFactor = 2.506628274631L;     // stands for sqrt(2 pi)
constexpr double NormalStdLimit = 25;
}  // namespace

double NormalStdDensity(const TVector&, double x)
{
    const long double lx = x;
    return StoreDouble(std::exp(-0.5L * lx * lx) * NormalFactor);
}

// The listed density is c exp(-t^2 / 2) for the listed factor c, within a rounding to a
// double, so f(x + t) / f(x) = exp(-x t - t^2 / 2), whose Taylor coefficients follow
// (k + 1) a(k+1) = -x a(k) - a(k-1), the roundings of the recurrence bounded as it runs. The
// rest by Cauchy's estimate on |t| = 1, where |exp(-x t - t^2 / 2)| <= e^(|x| + 1/2); f'''' / f
// is He4 = y^4 - 6 y^2 + 3 at y = x + t, within y^4 + 6 y^2 + 3. Beyond 6, where densities
// fall below 1e-8, the walk evaluates them.
bool NormalStdPanelSeries(const TVector&, double x, double span, simpson::TPanelSeries& series)
{
    constexpr int Terms = simpson::TPanelSeries::Terms;
    if (!(std::fabs(x) <= 6))
        return false;
    double* a = series.c;
    double e[Terms] = {0, 0};  // the coefficients' rounding errors
    a[0] = 1;
    a[1] = -x;
    for (int k = 1; k + 1 < Terms; ++k) {
        a[k + 1] = (-x * a[k] - a[k - 1]) / (k + 1);
        e[k + 1] = ((std::fabs(x) * e[k] + e[k - 1]) + 0x1p-51 * (std::fabs(x * a[k]) + std::fabs(a[k - 1]))) /
                   (k + 1);
    }
    series.error = simpson::SeriesRoundings(e, span);
    if (!simpson::CauchyRest(1, std::exp(std::fabs(x) + 0.5) * (1 + 1e-12), span, series))
        return false;
    const double y = std::fabs(x) + span;
    series.bend4 = y * y * y * y + 6 * y * y + 3;
    series.listed = 0x1p-52;
    return true;
}

double NormalStdDistribution(const TVector& params, double x)
{
    return SymmetricDistribution(NormalStdFamily.grid, params, x);
}

double NormalStdInverse(const TVector& params, double p)
{
    return SymmetricInverse(NormalStdFamily.grid, params, p, NormalStdLimit, MinPositiveDouble);
}

namespace {
// (x - mu) / ro as a double, held at the double range.
double Standardised(const TVector& params, double x)
{
    return StandardDouble((static_cast<long double>(x) - params[0]) / params[1]);
}
}  // namespace

double NormalDensity(const TVector& params, double x)
{
    return static_cast<double>(NormalStdDensity(params, Standardised(params, x)) /
                               static_cast<long double>(params[1]));
}

double NormalDistribution(const TVector& params, double x)
{
    return NormalStdDistribution(params, Standardised(params, x));
}

double NormalInverse(const TVector& params, double p)
{
    return static_cast<double>(static_cast<long double>(NormalStdInverse(params, p)) * params[1] +
                               params[0]);
}

double LogNormalDensity(const TVector& params, double x)
{
    if (x <= 0)
        return 0;
    const long double mu = params[0], ro = params[1];
    const long double d = std::log(static_cast<long double>(x)) - mu;
    return StoreDouble(std::exp(-(d * d) / (2 * ro * ro)) / (x * ro * LogNormalFactor));
}

// The listed density is exp(-d^2 / (2 ro^2)) / (x ro c), d = ln x - mu, in extended precision
// and rounded to a double; its logarithm's rounding is magnified by d / ro^2. With
// u = ln(1 + t/x), f(x + t) / f(x) = exp(E), E = -(1 + d / ro^2) u - u^2 / (2 ro^2): the
// series of u, of E, and of exp(E) by (k + 1) g(k+1) = sum of (j + 1) E(j+1) g(k-j), whose
// roundings stay within (k + 1)^2 2^-50 of the same sums of the terms' sizes. On the circle
// |t| = r, r = x min(1/2, 1 / (1.5 (|1 + d / ro^2| + 1 / ro))), |u| <= 1.5 r / x, so
// |exp(E)| <= e^1.5. For ro from 1e-100 and |mu| up to 1e4, where the density raises no flag.
bool LogNormalPanelSeries(const TVector& params, double x, double span, simpson::TPanelSeries& series)
{
    constexpr int Terms = simpson::TPanelSeries::Terms;
    const double mu = params[0], ro = params[1];
    if (!(x > 0 && x <= LogNormalLimit) || !(std::fabs(mu) <= 1e4) || !(ro >= 1e-100 && ro <= 1e100))
        return false;
    const double d = std::log(x) - mu, slope = 1 + d / (ro * ro), curve = 1 / (2 * ro * ro);
    // The radius first: where it is too short for the span, the coefficients (which grow
    // like its inverse powers) are not formed, and cannot overflow.
    const double r = x * std::min(0.5, 1 / (1.5 * (std::fabs(slope) + 1 / ro)));
    if (!(span / r <= 0.25))
        return false;
    double u[Terms] = {0}, E[Terms] = {0}, sizeE[Terms] = {0};
    for (int k = 1, sign = 1; k < Terms; ++k, sign = -sign)
        u[k] = sign * std::pow(x, -k) / k;
    for (int k = 1; k < Terms; ++k) {
        double square = 0, squareSize = 0;
        for (int i = 1; i < k; ++i) {
            square += u[i] * u[k - i];
            squareSize += std::fabs(u[i] * u[k - i]);
        }
        E[k] = -slope * u[k] - curve * square;
        sizeE[k] = std::fabs(slope * u[k]) + curve * squareSize;
    }
    double* g = series.c;
    double G[Terms], e[Terms];
    g[0] = G[0] = 1;
    e[0] = 0;
    for (int k = 0; k + 1 < Terms; ++k) {
        double sum = 0, size = 0;
        for (int j = 0; j <= k; ++j) {
            sum += (j + 1) * E[j + 1] * g[k - j];
            size += (j + 1) * sizeE[j + 1] * G[k - j];
        }
        g[k + 1] = sum / (k + 1);
        G[k + 1] = size / (k + 1);
        e[k + 1] = (k + 2) * (k + 2) * 0x1p-50 * G[k + 1];
    }
    // d's own rounding moves E by about |u| (|ln x| + |mu|) 2^-51 / ro^2.
    series.error = simpson::SeriesRoundings(e, span) +
                   (std::fabs(std::log(x)) + std::fabs(mu) + 1) * 0x1p-50 / (ro * ro) * (2 * span / x);
    if (!simpson::CauchyRest(r, std::exp(1.5) * (1 + 1e-12), span, series))
        return false;
    series.listed = 0x1p-52 + (1 + std::fabs(d) * (std::fabs(std::log(x)) + std::fabs(d) + 1) / (ro * ro)) * 0x1p-61;
    return true;
}

double LogNormalDistribution(const TVector& params, double x)
{
    if (x <= 0)
        return 0;
    return SimpsonIntegral(LogNormalFamily.grid, params, 0, x);
}

double LogNormalInverse(const TVector& params, double p)
{
    if (!InOpenUnit(p))
        return 0;
    return SimpsonInverse(LogNormalFamily.grid, params, 0, p, LogNormalLimit);
}

// ---- Where the densities are 0 for good (the grids' zero tails) ---------------------------
namespace {
// Densities below e^-750 store as 0 (half the smallest double is about e^-745.1).
constexpr long double LogZero = -750;

// ln of the log-normal density (ro > 0) at x = e^t: a parabola in t, opening down.
long double LogNormalLog(long double mu, long double ro, long double t)
{
    const long double d = t - mu;
    return -(d * d) / (2 * ro * ro) - t - std::log(ro * LogNormalFactor);
}

bool LogNormalPathZero(const simpson::ZeroTail& tail, double x, double end)
{
    const long double mu = tail.a, ro = tail.b;
    const double peak = tail.peak;
    if (!(tail.h > 0) || !(x >= 0) || !(end > x) || (x <= peak && peak <= end))
        return false;
    // Past the mode the density falls: the tail bound, where there is one, decides.
    if (peak >= 0 && x > peak && std::isfinite(tail.from))
        return false;
    // The parabola's largest value on the way is at its top, or at the nearer end of the way
    // (the smallest positive double for a way from 0, where the density is 0); the far end is
    // needed only where the top lies past the near one.
    const long double lo = std::log(std::max(static_cast<long double>(x), 0x1p-1074L));
    const long double top = mu - ro * ro;
    if (top <= lo)
        return LogNormalLog(mu, ro, lo) < LogZero;
    return LogNormalLog(mu, ro, std::min(top, std::log(static_cast<long double>(end)))) < LogZero;
}
}  // namespace

// The standard normal beyond 40: 0.4 e^-800 < e^-750, and x^2 stays in range.
simpson::ZeroTail NormalStdZeroTail(const TVector&, double h)
{
    const double d = h > 0 ? 1 : -1;
    return {d * 40, d * DBL_MAX, h};
}

// The log-normal beyond a bound on its log density, a parabola in ln x; and, through
// LogNormalPathZero, a whole way where it is 0.
simpson::ZeroTail LogNormalZeroTail(const TVector& params, double h)
{
    const double d = h > 0 ? 1 : -1;
    const simpson::ZeroTail none{d * HUGE_VAL, d * HUGE_VAL, h};
    constexpr double Largest = DBL_MAX;
    if (h < 0 || params.size() < 2)
        return none;
    // A negative ro gives the density's negative (exactly -0 in the tail): |ro| bounds it.
    const long double mu = params[0], ro = std::fabs(params[1]);
    if (!(ro > 0) || !std::isfinite(mu) || !std::isfinite(ro))
        return none;
    simpson::ZeroTail tail = none;
    tail.pathZero = LogNormalPathZero;
    tail.a = mu;
    tail.b = ro;
    // The mode, where a way through it is surely not 0 when its density stores as more.
    const long double mode = mu - ro * ro;
    if (mode > -745 && mode < 709 && LogNormalLog(mu, ro, mode) > LogZero)
        tail.peak = static_cast<double>(std::exp(mode));
    // With d = ln x - mu, ln f = -d^2 / (2 ro^2) - d - mu - ln(ro sqrt(2 pi)) falls for
    // d >= 0; it is below LogZero once d^2 / (2 ro^2) + d >= R, that is from d0 on. The
    // bound is formed in floating point: mu is kept small enough for mu + d0 to hold the
    // terms of R, and e^(mu + d0) within the doubles.
    if (std::fabs(mu) <= 10000) {
        const long double R = -LogZero - mu - std::log(ro * LogNormalFactor);
        const long double d0 = R <= 0 ? 0 : std::min(ro * std::sqrt(2 * R), R);
        if (mu + d0 < 709) {
            tail.from = static_cast<double>(std::exp(mu + d0) * (1 + 0x1p-40L));
            tail.to = Largest;
        }
    }
    return tail;
}

// The calculator charts' ranges.
void NormalStdChart(const TVector&, double& lo, double& hi)
{
    lo = -5;
    hi = 5;
}

void NormalChart(const TVector& p, double& lo, double& hi)
{
    lo = p[0] - 5 * p[1];
    hi = p[0] + 5 * p[1];
}

void LogNormalChart(const TVector& p, double& lo, double& hi)
{
    lo = 0;
    hi = 2 * p[1] + 1;
}

// ---- The sound functions ------------------------------------------------------------------
namespace {
L Standard(const TVector& params, double x)
{
    return (L(x) - params[0]) / params[1];
}

// ln of the log-normal density at x > 0.
L LogNormalLogDensity(const TVector& params, double x)
{
    const L ro = params[1];
    return LogNormalLogDensityOfLog(params[0], ro, std::log(ro), std::log(L(x)));
}
}  // namespace

// Formed in logarithms: the density's factors may leave the double range on their own.
L LogNormalLogDensityOfLog(L mu, L ro, L logRo, L logX)
{
    const L z = (logX - mu) / ro;
    return -z * z / 2 - logX - logRo - 0.91893853320467274178032973640561764L;
}

double NormalStdSoundDensity(const TVector&, double x)
{
    return SoundDouble(NormalDensityAt(x));
}

double NormalStdSoundDistribution(const TVector&, double x)
{
    return SoundProbability(NormalLowerTail(x));
}

double NormalStdSoundUpper(const TVector&, double x)
{
    return SoundProbability(NormalUpperTail(x));
}

double NormalStdSoundInverse(const TVector&, double p)
{
    return SoundDouble(NormalQuantile(p));
}

double NormalStdSoundUpperInverse(const TVector&, double q)
{
    return SoundDouble(NormalUpperQuantile(q));
}

double NormalSoundDensity(const TVector& params, double x)
{
    return SoundDouble(NormalDensityAt(Standard(params, x)) / params[1]);
}

L NormalStdLogDensity(const TVector&, double x)
{
    return -L(x) * x / 2 - 0.91893853320467274178032973640561764L;
}

L NormalLogDensity(const TVector& params, double x)
{
    const L z = Standard(params, x);
    return -z * z / 2 - std::log(L(params[1])) - 0.91893853320467274178032973640561764L;
}

double NormalSoundDistribution(const TVector& params, double x)
{
    return SoundProbability(NormalLowerTail(Standard(params, x)));
}

double NormalSoundUpper(const TVector& params, double x)
{
    return SoundProbability(NormalUpperTail(Standard(params, x)));
}

double NormalSoundInverse(const TVector& params, double p)
{
    return SoundDouble(params[0] + params[1] * NormalQuantile(p));
}

double NormalSoundUpperInverse(const TVector& params, double q)
{
    return SoundDouble(params[0] + params[1] * NormalUpperQuantile(q));
}

double NormalWalked(const TVector& params, double x)
{
    return SoundDouble(std::fabs(Standard(params, x)));
}

// The log-normal: the standard normal of (ln x - mu) / ro.
double LogNormalSoundDensity(const TVector& params, double x)
{
    return x > 0 ? SoundDouble(std::exp(LogNormalLogDensity(params, x))) : 0;
}

L LogNormalSoundLogDensity(const TVector& params, double x)
{
    return x > 0 && !std::isinf(x) ? LogNormalLogDensity(params, x) : -HUGE_VALL;
}

double LogNormalSoundDistribution(const TVector& params, double x)
{
    return x > 0 ? SoundProbability(NormalLowerTail((std::log(L(x)) - params[0]) / params[1])) : 0;
}

double LogNormalSoundUpper(const TVector& params, double x)
{
    return x > 0 ? SoundProbability(NormalUpperTail((std::log(L(x)) - params[0]) / params[1])) : 1;
}

double LogNormalSoundInverse(const TVector& params, double p)
{
    return SoundDouble(SoundExp(params[0] + params[1] * NormalQuantile(p)));
}

double LogNormalSoundUpperInverse(const TVector& params, double q)
{
    return SoundDouble(SoundExp(params[0] + params[1] * NormalUpperQuantile(q)));
}
