// The F distribution.
#include "F.h"

#include <cfenv>
#include <cmath>

namespace {
constexpr long long Room = 16000;  // bits, below the extended exponent range of 16384

// Bits of |v| (its binary exponent plus one); 0 for 0, and more than Room for an infinity.
long long Bits(L v)
{
    if (v == 0)
        return 0;
    return std::isfinite(v) ? std::ilogb(v) + 1LL : 2 * Room;
}

// The first three factors of the F density's numerator, n^(n/2) Gamma((n+m)/2) m^(m/2), in
// the order the density forms them.
L FNumeratorFactors(long long n, long long m)
{
    return HalfPower(n, n) * HalfGamma(n + m) * HalfPower(m, m);
}

// What the F density takes from n and m alone, formed once per pair (per thread) by the same
// arithmetic:
// - the first three factors of the numerator and the Gamma product of the denominator, kept
//   wherever forming them raised no error flag, with bounds of their bits (each HalfPower(a, y)
//   squares its base up to y^a at most) that allow the direct product only where the pair's
//   part stays far inside the extended range;
// - whether those three factors alone overflow, when every product leaves the range;
// - the terms of the logarithms that do not depend on x.
// The bounds and the overflow test only choose between ways of forming the density that give
// the same value: the flags of forming them are not the density's and are dropped (for n and
// m of at least 1 the logarithm terms raise none).
struct FConstants {
    long long n = 0, m = 0;  // 0, 0: nothing remembered yet (and nothing to remember)
    bool direct = false;
    bool beyondRange = false;  // the numerator's first three factors overflow
    L numerator = 0;           // FNumeratorFactors(n, m)
    L gammas = 0;              // HalfGamma(n) * HalfGamma(m)
    bool factorsKept = false;  // both formed without an error flag: they stand for forming
                               // them again, in the direct product and near the range alike
    long long numeratorBits = 0, gammaBits = 0;
    L logNumerator = 0;  // n/2 ln n + ln Gamma((n+m)/2) + m/2 ln m
    L logGammaN = 0, logGammaM = 0;  // ln Gamma(n/2), ln Gamma(m/2)
};

const FConstants& FConstantsFor(long long n, long long m)
{
    thread_local FConstants c;
    if (c.n == n && c.m == m)
        return c;
    c = FConstants{};
    c.n = n;
    c.m = m;
    if (n < 1 || m < 1)
        return c;
    FloatErrorsOf([&] {
        c.numeratorBits = 2LL * n * Bits(n) + Bits(HalfGamma(n + m)) + 2LL * m * Bits(m);
        c.gammaBits = Bits(HalfGamma(n)) + Bits(HalfGamma(m));
        c.direct = c.numeratorBits < Room && c.gammaBits < Room;
        const L ln = n, lm = m;
        c.logNumerator = ln / 2 * std::log(ln) + LogGamma((ln + lm) / 2) + lm / 2 * std::log(lm);
        c.logGammaN = LogGamma(ln / 2);
        c.logGammaM = LogGamma(lm / 2);
        Settle(c.logGammaM);
    });
    const int numeratorErrors = FloatErrorsOf([&] { c.numerator = Settle(FNumeratorFactors(n, m)); });
    const int gammaErrors = FloatErrorsOf([&] { c.gammas = Settle(HalfGamma(n) * HalfGamma(m)); });
    c.beyondRange = !c.direct && (numeratorErrors & FE_OVERFLOW);
    c.factorsKept = numeratorErrors == 0 && gammaErrors == 0;
    return c;
}

// Whether the direct denominator (n x + m)^((n+m)/2), formed by square and multiply, raises
// the overflow flag for certain: its last squaring reaches y^(2^b) for the b bits of
// (n+m)/2, at least 2^(e 2^b) for y of binary exponent e, which leaves the extended range
// once e 2^b reaches 16384. The density then goes through logarithms, as after trying.
bool DenominatorOverflows(long long n, long long m, L x)
{
    const L y = n * x + m;
    if (!(y >= 2) || !std::isfinite(y))
        return false;
    int bits = 0;
    for (unsigned long long half = static_cast<unsigned long long>((n + m) / 2); half != 0; half >>= 1)
        ++bits;
    return bits >= 15 || static_cast<long long>(std::ilogb(y)) * (1LL << bits) >= 16384;
}

// The F density through logarithms, for degrees of freedom whose direct product leaves even
// the extended range (n and m of at least 1).
L FDensityByLogs(const FConstants& c, L x)
{
    if (x == 0 && c.n > 2)
        return 0;
    const L ln = c.n, lm = c.m;
    L logNum = c.logNumerator;
    if (c.n != 2)
        logNum += (ln - 2) / 2 * std::log(x);
    const L logDen = (ln + lm) / 2 * std::log(ln * x + lm) + c.logGammaN + c.logGammaM;
    return std::exp(logNum - logDen);
}
}  // namespace

double FDensity(const TVector& params, double x)
{
    if (x < 0)
        return 0;
    const long long n = WholeDegrees(params[0]), m = WholeDegrees(params[1]);
    const L lx = x;
    const FConstants& c = FConstantsFor(n, m);
    if (c.direct && c.numeratorBits + (x > 1 ? 2LL * std::abs(n - 2) * Bits(lx) : 0) < Room &&
        2LL * (n + m) * Bits(n * lx + m) + c.gammaBits < Room) {
        const L num = c.numerator * HalfPower(n - 2, lx);
        const L den = HalfPower(n + m, n * lx + m) * c.gammas;
        return StoreDouble(num / den);
    }
    // Past the extended range at every x: the product below would overflow, whatever x is.
    const bool nearZeroSingular = n == 1 && x == 0;
    if (c.beyondRange && !nearZeroSingular)
        return static_cast<double>(FDensityByLogs(c, lx));

    const bool inRangeDegrees = n >= 1 && m >= 1 && !nearZeroSingular;
    if (inRangeDegrees && DenominatorOverflows(n, m, lx))
        return static_cast<double>(FDensityByLogs(c, lx));

    // Near the extended range: try the product, and go through logarithms if it overflowed.
    L direct = 0;
    const int raised = FloatErrorsOf([&] {
        const L num = (c.factorsKept ? c.numerator : FNumeratorFactors(n, m)) * HalfPower(n - 2, lx);
        const L den = HalfPower(n + m, n * lx + m) *
                      (c.factorsKept ? c.gammas : HalfGamma(n) * HalfGamma(m));
        direct = Settle(num / den);
    });

    const bool leftRange = (raised & FE_OVERFLOW) && inRangeDegrees;
    if (leftRange)
        return static_cast<double>(FDensityByLogs(c, lx));
    std::feraiseexcept(raised);
    return static_cast<double>(direct);
}

// F(1, m) is the square of Student's t(m): both go through that identity, which keeps the
// infinite density of n = 1 at 0 out of the integral.
double FDistribution(const TVector& params, double x)
{
    if (x <= 0)
        return 0;
    const long long n = WholeDegrees(params[0]);
    if (n == 1) {
        const TVector student{static_cast<double>(WholeDegrees(params[1]))};
        return static_cast<double>(
            2 * L(StudentDistribution(student, static_cast<double>(std::sqrt(L(x))))) - 1);
    }
    return SimpsonIntegral(FFamily.grid, params, 0, x);
}

double FInverse(const TVector& params, double p)
{
    if (!InOpenUnit(p))
        return 0;
    const long long n = WholeDegrees(params[0]);
    if (n == 1) {
        const TVector student{static_cast<double>(WholeDegrees(params[1]))};
        const L t = StudentInverse(student, static_cast<double>((1 + L(p)) / 2));
        const double f = static_cast<double>(t * t);
        return f < FCap ? f : FCap;
    }
    return SimpsonInverse(FFamily.grid, params, 0, p, FLimit);
}

// The calculator chart's range.
void FChart(const TVector&, double& lo, double& hi)
{
    lo = 0;
    hi = 10;
}

// Moment estimates: the mean M / (M - 2) gives M = 2 m / (m - 1); the variance
// 2 M^2 (N + M - 2) / (N (M - 2)^2 (M - 4)) then gives N. M comes first: N's formula reads it.
void FEstimate(const TSampleMoments& s, const TVector&, TVector& params, const TParamSet& which)
{
    const L m = s.mean, s2 = s.variance;
    if (which[1])
        StoreEstimate(params, 1, NonzeroEstimate(m - 1) ? WholeEstimate(2 * m / (m - 1)) : 2);
    if (which[0]) {
        const L d = params[1];
        StoreEstimate(params, 0,
                      WholeEstimate(2 * d * d * (d - 2) /
                                    (d * d * d * s2 - 8 * d * d * s2 + 20 * d * s2 - 16 * s2 -
                                     2 * d * d)));
    }
}
