// The F distribution.
#include "F.h"
#include "Moments.h"
#include "Maximise.h"
#include "PanelSeries.h"

#include <algorithm>
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

// The listed density in its direct form is C HalfPower(n - 2, x) / HalfPower(n + m, n x + m)
// in extended precision, rounded to a double; n x + m is exact for the walks' points, and each
// half power adds at most its degree's roundings of the extended precision (as the
// chi-square's). With a1 = 1/x and a2 = n / (n x + m), f(x + t) / f(x) = (1 + a1 t)^((n-2)/2)
// (1 + a2 t)^(-(n+m)/2), with one peak. The series serves where the density takes its
// direct form over the whole span (its bit bounds, which grow with x, hold at the span's far
// end) and stays far above the double range's end (the smaller of its ends' values, as it has
// one peak). F(1, m) walks no F grid.
bool FPanelSeries(const TVector& params, double x, double span, simpson::TPanelSeries& series)
{
    const long long n = WholeDegrees(params[0]), m = WholeDegrees(params[1]);
    if (n < 2 || m < 1 || n + m > 2046 || !(x > 0 && x <= FLimit) || !(span <= 1))
        return false;
    const FConstants& c = FConstantsFor(n, m);
    const L far = L(x) + span + SimpsonStep;
    if (!(c.direct && c.numeratorBits + (far > 1 ? 2LL * std::abs(n - 2) * Bits(far) : 0) < Room &&
          2LL * (n + m) * Bits(n * far + m) + c.gammaBits < Room))
        return false;
    if (!(std::min(FDensity(params, x), FDensity(params, x + span)) > 1e-280))
        return false;
    const double ln = static_cast<double>(n), lm = static_cast<double>(m);
    series.listed = 0x1p-52 + (std::fabs(ln - 2) + ln + lm + 8) * 0x1p-62;
    return TwoPowersSeries(1 / x, (ln - 2) / 2, ln / (ln * x + lm), -(ln + lm) / 2, span, series);
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

// ---- Estimates: maximum likelihood for the whole degrees of freedom ------------------------
namespace {
// With w = N x + M, the log-likelihood of (N, M) is
// sum [N/2 ln N + M/2 ln M + (N/2 - 1) ln x - (N + M)/2 ln w] - n ln B(N/2, M/2);
// its gradient and Hessian need the sums of ln w, x/w, 1/w, x^2/w^2, x/w^2 and 1/w^2.
enum FSum { Logs, X, One, XX, X1, OneOne, FSumCount };
using FSums = std::array<L, FSumCount>;

FSums SumsAt(const TVector& data, L n, L m)
{
    FSums s;
    const double nd = static_cast<double>(n), md = static_cast<double>(m);
    BlockSums(data, [&](double v, std::array<double, FSumCount>& b) {
        const double w = nd * v + md, r = 1 / w, vr = v * r;
        b[Logs] += std::log(w);
        b[X] += vr;
        b[One] += r;
        b[XX] += vr * vr;
        b[X1] += vr * r;
        b[OneOne] += r * r;
        return true;
    }, s);
    return s;
}

L FLogLikelihood(L count, L sumLog, L n, L m, const FSums& s)
{
    return count * (n / 2 * std::log(n) + m / 2 * std::log(m)) + (n / 2 - 1) * sumLog -
           (n + m) / 2 * s[Logs] - count * (LogGamma(n / 2) + LogGamma(m / 2) - LogGamma((n + m) / 2));
}
}  // namespace

// Newton's steps over the free ones of N and M from the moments' estimates (the mean
// M / (M - 2), the variance 2 M^2 (N + M - 2) / (N (M - 2)^2 (M - 4))) where they are
// defined, then the whole numbers beside the continuous maximum of largest likelihood.
void FEstimate(const TSampleMoments& s, const TVector& data, TVector& params, const TParamSet& which)
{
    if (!which[0] && !which[1])
        return;
    const L sumLog = SumOfLogs(data);
    const L count = s.n;
    L m0 = std::clamp<L>(s.mean > 1 ? 2 * s.mean / (s.mean - 1) : 10, 2.5L, MostDegrees), n0 = 5;
    if (m0 > 4) {
        const L denominator = s.variance * (m0 - 2) * (m0 - 2) * (m0 - 4) - 2 * m0 * m0;
        if (denominator > 0)
            n0 = std::clamp<L>(2 * m0 * m0 * (m0 - 2) / denominator, 1, MostDegrees);
    }
    const auto form = [&](const std::vector<L>& t) { return SumsAt(data, t[0], t[1]); };
    TSumsAt<FSums, decltype(form)> sums(form);
    const TGradient gradient = [&](const std::vector<L>& t, std::vector<L>& g) {
        const L n = t[0], m = t[1], both = Digamma((n + m) / 2);
        const FSums& a = sums.At(t);
        g[0] = count * (std::log(n) + 1 - Digamma(n / 2) + both) / 2 + (sumLog - a[Logs]) / 2 -
               (n + m) / 2 * a[X];
        g[1] = count * (std::log(m) + 1 - Digamma(m / 2) + both) / 2 - a[Logs] / 2 -
               (n + m) / 2 * a[One];
        return FLogLikelihood(count, sumLog, n, m, a);
    };
    const THessian hessian = [&](const std::vector<L>& t, TMatrix& H) {
        const L n = t[0], m = t[1], half = (n + m) / 2, both = Trigamma(half);
        const FSums& a = sums.At(t);
        H[0][0] = count * (1 / (2 * n) - (Trigamma(n / 2) - both) / 4) - a[X] + half * a[XX];
        H[1][1] = count * (1 / (2 * m) - (Trigamma(m / 2) - both) / 4) - a[One] + half * a[OneOne];
        H[0][1] = H[1][0] = count * both / 4 - a[One] / 2 - a[X] / 2 + half * a[X1];
    };
    const auto logLikelihood = [&](L n, L m) {
        return FLogLikelihood(count, sumLog, n, m, SumsAt(data, n, m));
    };
    const L typedN = std::trunc(params[0]), typedM = std::trunc(params[1]);
    const TMaximised best = MaximiseFree(
        {{which[0] ? n0 : typedN, true, 1, MostDegrees}, {which[1] ? m0 : typedM, true, 1, MostDegrees}},
        {which[0], which[1]}, gradient, hessian);
    if (!best.converged)
        throw TRefusal("the likelihood has no maximum");
    // The whole M of largest likelihood for a whole N, and that likelihood, from M's
    // continuous maximum for that N (mStart, moved there).
    L mStart = best.at[1];
    struct Whole {
        L m, value;
    };
    const auto wholeM = [&](L n) {
        if (!which[1])
            return Whole{typedM, logLikelihood(n, typedM)};
        const TMaximised inner = MaximiseFree({{n, true, 1, MostDegrees}, {mStart, true, 1, MostDegrees}},
                                              {false, true}, gradient, hessian);
        if (inner.converged)
            mStart = inner.at[1];
        const L below = std::clamp<L>(std::floor(mStart), 1, MostDegrees);
        const L above = std::clamp<L>(std::ceil(mStart), 1, MostDegrees);
        const Whole low{below, logLikelihood(n, below)};
        if (above == below)
            return low;
        const Whole high{above, logLikelihood(n, above)};
        return high.value > low.value ? high : low;
    };
    // The ridge of the likelihood runs aslant: the whole maximum need not be beside the
    // continuous one. N walks from the whole number nearest its continuous maximum, each way
    // while the likelihood of its best whole M rises (or, once, does not).
    const L centre = which[0] ? std::clamp<L>(std::round(best.at[0]), 1, MostDegrees) : typedN;
    L n = centre;
    Whole top = wholeM(n);
    for (int way = -1; which[0] && way <= 1; way += 2) {
        const L from = mStart;
        int falls = 0;
        for (L next = centre + way; next >= 1 && next <= MostDegrees && falls < 2; next += way) {
            const Whole candidate = wholeM(next);
            if (candidate.value > top.value) {
                top = candidate;
                n = next;
                falls = 0;
            } else {
                ++falls;
            }
        }
        mStart = from;
    }
    if (which[0])
        StoreEstimate(params, 0, n);
    if (which[1])
        StoreEstimate(params, 1, top.m);
}

// The mean exists for M > 2, the variance for M > 4, the skewness for M > 6 and the kurtosis for
// M > 8; below, each is infinite while the variance is finite (or the mean, for the variance).
TMoments FMoments(const TVector& params)
{
    const L n = params[0], m = params[1];
    const L mode = n > 2 ? (n - 2) / n * m / (m + 2) : 0;
    if (m <= 2)
        return MomentsOf(HUGE_VALL, NoMoment, mode, NoMoment, NoMoment);
    const L mean = m / (m - 2);
    if (m <= 4)
        return MomentsOf(mean, HUGE_VALL, mode, NoMoment, NoMoment);
    const L sd = std::sqrt(2 * m * m * (n + m - 2) / (n * (m - 2) * (m - 2) * (m - 4)));
    const L skewness = m > 6 ? (2 * n + m - 2) * std::sqrt(8 * (m - 4)) /
                                   ((m - 6) * std::sqrt(n * (n + m - 2)))
                             : HUGE_VALL;
    const L kurtosis = m > 8 ? 12 * (n * (5 * m - 22) * (n + m - 2) + (m - 4) * (m - 2) * (m - 2)) /
                                   (n * (m - 6) * (m - 8) * (n + m - 2))
                             : HUGE_VALL;
    return MomentsOf(mean, sd, mode, skewness, kurtosis);
}
