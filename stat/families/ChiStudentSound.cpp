// The sound functions of the chi-square and Student distributions, for every whole number of
// degrees of freedom they serve: the incomplete gamma function of x/2 for the chi-square, the
// incomplete Beta function of n / (n + t^2) for Student's t; quantiles by a search on the tail
// that holds p's digits, from the Wilson-Hilferty and Cornish-Fisher approximations.
#include "ChiStudent.h"
#include "SoundMethods.h"

namespace {
L Degrees(const TVector& params)
{
    return std::trunc(L(params[0]));
}

// ---- Chi-square: P(n/2, x/2) and Q(n/2, x/2) --------------------------------------------
L Chi2DensityAt(L n, L x)
{
    if (!(x > 0) || std::isinf(x))
        return 0;
    return std::exp(LogGammaKernel(n / 2, x / 2)) / x;
}

TTails Chi2Tails(L n, L x)
{
    if (!(x > 0))
        return {0, 1};
    return IncompleteGamma(n / 2, x / 2);
}

L Chi2Quantile(L n, bool upper, L target)
{
    return 2 * GammaQuantile(n / 2, upper, target);
}

// ---- Student: 1/2 I_{n/(n+t^2)}(n/2, 1/2) below 0 ----------------------------------------
L StudentDensityAt(L n, L t)
{
    if (std::isinf(t))
        return 0;
    const L logFactor = LogGamma((n + 1) / 2) - LogGamma(n / 2) - std::log(n * Pi) / 2;
    return std::exp(logFactor - (n + 1) / 2 * std::log1p(t * t / n));
}

// P(T <= t) for t <= 0, which is P(T > -t).
L StudentFarTail(L n, L t)
{
    if (std::isinf(t))
        return 0;
    const L square = t * t, whole = n + square;
    return RegularisedBeta(n / 2, 0.5L, n / whole, square / whole) / 2;
}

L StudentLower(L n, L t)
{
    return t <= 0 ? StudentFarTail(n, t) : 1 - StudentFarTail(n, -t);
}

// The t > 0 with P(T > t) = q, for q in (0, 1/2).
L StudentUpperQuantile(L n, L q)
{
    if (n == 1)
        return 1 / std::tan(Pi * q);
    if (n == 2)
        return (1 - 2 * q) / std::sqrt(2 * q * (1 - q));
    const L z = NormalUpperQuantile(q), z2 = z * z;
    // Cornish and Fisher's expansion about the normal quantile, and far in the tail the
    // power law P(T > t) ~ C t^-n of the density's tail.
    L guess = z + z * (z2 + 1) / (4 * n) + z * ((5 * z2 + 16) * z2 + 3) / (96 * n * n);
    const L logC = LogGamma((n + 1) / 2) - LogGamma(n / 2) - std::log(n * Pi) / 2 +
                   (n + 1) / 2 * std::log(n) - std::log(n);
    const L far = std::exp((logC - std::log(q)) / n);
    if (q < 1e-3L && far > guess)
        guess = far;
    return SolveTail([&](L t) { return StudentFarTail(n, -t); },
                     [&](L t) { return StudentDensityAt(n, t); }, true, q, 0, HUGE_VALL, guess);
}

L StudentQuantile(L n, L p)
{
    if (p == 0.5L)
        return 0;
    return p < 0.5L ? -StudentUpperQuantile(n, p) : StudentUpperQuantile(n, 1 - p);
}
}  // namespace

double Chi2SoundDensity(const TVector& params, double x)
{
    return SoundDouble(Chi2DensityAt(Degrees(params), x));
}

L Chi2LogDensity(const TVector& params, double x)
{
    if (!(x > 0) || std::isinf(x))
        return -HUGE_VALL;
    return LogGammaKernel(Degrees(params) / 2, L(x) / 2) - std::log(L(x));
}

double Chi2SoundDistribution(const TVector& params, double x)
{
    return SoundProbability(Chi2Tails(Degrees(params), x).lower);
}

double Chi2SoundUpper(const TVector& params, double x)
{
    return SoundProbability(Chi2Tails(Degrees(params), x).upper);
}

L Chi2LogLower(const TVector& params, double x)
{
    return LogIncompleteGamma(Degrees(params) / 2, x / L(2)).lower;
}

L Chi2LogUpper(const TVector& params, double x)
{
    return LogIncompleteGamma(Degrees(params) / 2, x / L(2)).upper;
}

// Where the listed search goes: the Wilson-Hilferty approximation is near enough to bound it.
double Chi2SearchTo(const TVector& params, double p)
{
    const L n = Degrees(params), v = 2 / (9 * n);
    const L cube = 1 - v + NormalQuantile(p) * std::sqrt(v);
    return SoundDouble(n * std::max<L>(cube, 0) * cube * cube);
}

double Chi2SoundInverse(const TVector& params, double p)
{
    const L n = Degrees(params);
    return SoundDouble(p <= 0.5 ? Chi2Quantile(n, false, p) : Chi2Quantile(n, true, 1 - L(p)));
}

double Chi2SoundUpperInverse(const TVector& params, double q)
{
    const L n = Degrees(params);
    return SoundDouble(q <= 0.5 ? Chi2Quantile(n, true, q) : Chi2Quantile(n, false, 1 - L(q)));
}

// The listed walks start at 0.25 for one to three degrees of freedom, else at 0.
double Chi2Walked(const TVector& params, double x)
{
    return Degrees(params) <= 3 ? std::fabs(x - 0.25) : std::fabs(x);
}

double StudentSoundDensity(const TVector& params, double x)
{
    return SoundDouble(StudentDensityAt(Degrees(params), x));
}

L StudentLogDensity(const TVector& params, double x)
{
    if (std::isinf(x))
        return -HUGE_VALL;
    const L n = Degrees(params), t = x;
    return LogGamma((n + 1) / 2) - LogGamma(n / 2) - std::log(n * Pi) / 2 -
           (n + 1) / 2 * std::log1p(t * t / n);
}

double StudentSoundDistribution(const TVector& params, double x)
{
    return SoundProbability(StudentLower(Degrees(params), x));
}

double StudentSoundUpper(const TVector& params, double x)
{
    return SoundProbability(StudentLower(Degrees(params), -L(x)));
}

double StudentSoundInverse(const TVector& params, double p)
{
    return SoundDouble(StudentQuantile(Degrees(params), p));
}

double StudentSoundUpperInverse(const TVector& params, double q)
{
    return SoundDouble(-StudentQuantile(Degrees(params), q));
}
