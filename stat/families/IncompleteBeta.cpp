// The regularised incomplete Beta function, by its continued fraction: the sound value of the
// Beta and F distributions wherever their Simpson grids cannot see the density.
#include "SoundMethods.h"

#include <cfloat>
#include <cmath>

namespace {
// The continued fraction of I_x(a, b) (Abramowitz and Stegun 26.5.8, evaluated by the
// modified Lentz method as in Numerical Recipes, section 6.4), which converges fast for
// x < (a + 1) / (a + b + 2).
L BetaFraction(L a, L b, L x)
{
    constexpr L Tiny = LDBL_MIN / LDBL_EPSILON;
    constexpr L Close = 0x1p-62L;
    constexpr int MaxTerms = 200000;
    const L sum = a + b, up = a + 1, down = a - 1;
    const auto awayFromZero = [](L v) { return std::fabs(v) < Tiny ? Tiny : v; };
    L c = 1, d = 1 / awayFromZero(1 - sum * x / up);
    L h = d;
    // One term of the fraction: updates c and d, and gives the factor it puts on h.
    const auto term = [&](L aa) {
        d = 1 / awayFromZero(1 + aa * d);
        c = awayFromZero(1 + aa / c);
        return d * c;
    };
    for (int m = 1; m <= MaxTerms; ++m) {
        const L twoM = 2 * m;
        h *= term(m * (b - m) * x / ((down + twoM) * (a + twoM)));
        const L step = term(-(a + m) * (sum + m) * x / ((a + twoM) * (up + twoM)));
        h *= step;
        if (std::fabs(step - 1) < Close)
            break;
    }
    return h;
}
}  // namespace

L LogBeta(L a, L b)
{
    return LogGamma(a) + LogGamma(b) - LogGamma(a + b);
}

L RegularisedBeta(L a, L b, L x, L y)
{
    if (!(x > 0))
        return 0;
    if (!(y > 0))
        return 1;
    // The logarithm of an end near 1 through its distance from 1, which keeps its digits.
    const auto logOf = [](L v, L rest) { return v <= 0.5L ? std::log(v) : std::log1p(-rest); };
    return RegularisedBeta(a, b, x, y, logOf(x, y), logOf(y, x));
}

L RegularisedBeta(L a, L b, L x, L y, L logX, L logY)
{
    // A whole b up to 64: I_x(a, b) = x^a sum over j < b of (a)_j / j! y^j, a sum of positive
    // terms (the binomial expansion of the integrand's (1 - t)^(b - 1)), at either end of x.
    if (b <= 64 && b == std::trunc(b)) {
        L term = 1, sum = 1;
        for (int j = 0; j + 1 < b; ++j) {
            term *= (a + j) / (j + 1) * y;
            sum += term;
        }
        return std::exp(a * logX + std::log(sum));
    }
    const bool mirrored = x > (a + 1) / (a + b + 2);
    if (mirrored) {
        std::swap(a, b);
        std::swap(x, y);
        std::swap(logX, logY);
    }
    const L front = std::exp(a * logX + b * logY - LogBeta(a, b)) / a;
    const L part = front * BetaFraction(a, b, x);
    return mirrored ? 1 - part : part;
}
