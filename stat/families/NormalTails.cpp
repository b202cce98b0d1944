// The standard normal's sound functions: its tails through the complementary error function
// of the extended precision, which keeps each tail's relative digits to the end of the
// extended range, and its quantile by a rational approximation (P. J. Acklam's, relative
// error below 1.2e-9) refined by Halley steps on the tail.
#include "SoundMethods.h"

namespace {
const L Sqrt2 = 1.41421356237309504880168872420969808L;
const L SqrtTwoPi = 2.50662827463100050241576528481104525L;

// Acklam's approximation of the lower quantile, for p in (0, 1/2].
L AcklamQuantile(L p)
{
    static const L a[] = {-3.969683028665376e+01L, 2.209460984245205e+02L, -2.759285104469687e+02L,
                          1.383577518672690e+02L, -3.066479806614716e+01L, 2.506628277459239e+00L};
    static const L b[] = {-5.447609879822406e+01L, 1.615858368580409e+02L, -1.556989798598866e+02L,
                          6.680131188771972e+01L, -1.328068155288572e+01L};
    static const L c[] = {-7.784894002430293e-03L, -3.223964580411365e-01L, -2.400758277161838e+00L,
                          -2.549732539343734e+00L, 4.374664141464968e+00L, 2.938163982698783e+00L};
    static const L d[] = {7.784695709041462e-03L, 3.224671290700398e-01L, 2.445134137142996e+00L,
                          3.754408661907416e+00L};
    if (p < 0.02425L) {
        const L q = std::sqrt(-2 * std::log(p));
        return (((((c[0] * q + c[1]) * q + c[2]) * q + c[3]) * q + c[4]) * q + c[5]) /
               ((((d[0] * q + d[1]) * q + d[2]) * q + d[3]) * q + 1);
    }
    const L q = p - 0.5L, r = q * q;
    return (((((a[0] * r + a[1]) * r + a[2]) * r + a[3]) * r + a[4]) * r + a[5]) * q /
           (((((b[0] * r + b[1]) * r + b[2]) * r + b[3]) * r + b[4]) * r + 1);
}
}  // namespace

L NormalLowerTail(L z)
{
    return std::erfc(-z / Sqrt2) / 2;
}

L NormalUpperTail(L z)
{
    return std::erfc(z / Sqrt2) / 2;
}

L NormalDensityAt(L z)
{
    return std::exp(-z * z / 2) / SqrtTwoPi;
}

// For p at most 1/2 the lower tail is refined (it holds p's relative digits); above, the
// quantile is the negative of the upper one of 1 - p, which is exact for a double p.
L NormalQuantile(L p)
{
    if (p == 0.5L)
        return 0;
    if (p > 0.5L)
        return NormalUpperQuantile(1 - p);
    const L z = AcklamQuantile(p);
    // Halley's step on F(z) - p triples the approximation's digits: its 1.2e-9 become the
    // extended precision in one step.
    const L u = (NormalLowerTail(z) - p) / NormalDensityAt(z);
    return std::isfinite(u) ? z - u / (1 + z * u / 2) : z;
}

L NormalUpperQuantile(L q)
{
    if (q == 0.5L)
        return 0;
    return -NormalQuantile(q);
}

L NormalLogUpperTail(L z)
{
    if (z < 100)
        return std::log(NormalUpperTail(z));
    // P(Z > z) = phi(z) / z (1 - r + 3 r^2 - 15 r^3 + 105 r^4 - ...), r = 1 / z^2: the next
    // term, 945 r^5, is below 1e-17 from z = 100 on.
    const L r = 1 / (z * z);
    return -z * z / 2 - std::log(z * SqrtTwoPi) + std::log1p(-r * (1 - 3 * r * (1 - 5 * r * (1 - 7 * r))));
}

// ---- Logarithmic tails -----------------------------------------------------------------------
L NormalStdLogLower(const TVector&, double x)
{
    return NormalLogUpperTail(-L(x));
}

L NormalStdLogUpper(const TVector&, double x)
{
    return NormalLogUpperTail(x);
}

L NormalLogLower(const TVector& params, double x)
{
    return NormalLogUpperTail(-(x - L(params[0])) / params[1]);
}

L NormalLogUpper(const TVector& params, double x)
{
    return NormalLogUpperTail((x - L(params[0])) / params[1]);
}

L LogNormalLogLower(const TVector& params, double x)
{
    return x > 0 ? NormalLogUpperTail(-(std::log(L(x)) - params[0]) / params[1]) : -HUGE_VALL;
}

L LogNormalLogUpper(const TVector& params, double x)
{
    return x > 0 ? NormalLogUpperTail((std::log(L(x)) - params[0]) / params[1]) : 0;
}
