// The regularised incomplete Beta function, by its continued fraction: the sound value of the
// Beta and F distributions wherever their Simpson grids cannot see the density.
#include "SoundMethods.h"

#include <cfloat>
#include <cmath>

namespace {
// The continued fraction of I_x(a, b) (modified Lentz), which converges fast for
// x < (a + 1) / (a + b + 2).
L BetaFraction(L a, L b, L x)
{
    constexpr L Tiny = LDBL_MIN / LDBL_EPSILON;
    constexpr L Close = 0x1p-62L;
    constexpr int MaxTerms = 20000;
    const L sum = a + b, up = a + 1, down = a - 1;
    L c = 1, d = 1 - sum * x / up;
    if (std::fabs(d) < Tiny)
        d = Tiny;
    d = 1 / d;
    L h = d;
    for (int m = 1; m <= MaxTerms; ++m) {
        const L twoM = 2 * m;
        L aa = m * (b - m) * x / ((down + twoM) * (a + twoM));
        d = 1 + aa * d;
        if (std::fabs(d) < Tiny)
            d = Tiny;
        c = 1 + aa / c;
        if (std::fabs(c) < Tiny)
            c = Tiny;
        d = 1 / d;
        h *= d * c;
        aa = -(a + m) * (sum + m) * x / ((a + twoM) * (up + twoM));
        d = 1 + aa * d;
        if (std::fabs(d) < Tiny)
            d = Tiny;
        c = 1 + aa / c;
        if (std::fabs(c) < Tiny)
            c = Tiny;
        d = 1 / d;
        const L step = d * c;
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
    const bool mirrored = x > (a + 1) / (a + b + 2);
    if (mirrored) {
        std::swap(a, b);
        std::swap(x, y);
    }
    const L front = std::exp(a * std::log(x) + b * std::log(y) - LogBeta(a, b)) / a;
    const L part = front * BetaFraction(a, b, x);
    return mirrored ? 1 - part : part;
}
