// The regularised incomplete gamma functions: the sound value of the chi-square distribution
// for every degree of freedom. The series of P for x < a + 1 and the continued fraction of Q
// beyond (Numerical Recipes, 3rd ed., section 6.2), each giving the smaller tail with its
// relative digits; the factor x^a e^-x / Gamma(a) for large a through Stirling's series and
// t - ln(1 + t), without the cancellation of a ln x - x - ln Gamma(a) (N. M. Temme, Special
// Functions, Wiley 1996, section 11.2).
#include "SoundMethods.h"

#include <algorithm>
#include <cfloat>

namespace {
constexpr L Close = 0x1p-64L;
constexpr int MaxTerms = 1000000;

// t - ln(1 + t) for t = (x - a) / a: by its series near 0, where the difference cancels, and
// with ln(1 + t) as ln x - ln a far below a, where 1 + t has lost the digits of x / a.
L LogOnePlusMinus(L x, L a)
{
    const L t = (x - a) / a;
    if (t < -0.5L)
        return t - (std::log(x) - std::log(a));
    if (std::fabs(t) > 0.125L)
        return t - std::log1p(t);
    L power = t * t, sum = 0;
    for (int k = 2; k < 40; ++k) {
        const L term = power / k;
        sum += k % 2 == 0 ? term : -term;
        if (std::fabs(term) < std::fabs(sum) * Close)
            break;
        power *= t;
    }
    return sum;
}

// ln Gamma(a) - ((a - 1/2) ln a - a + ln(2 pi) / 2), by Stirling's series, for a >= 20.
L StirlingRest(L a)
{
    static const L coefficient[] = {1.0L / 12,     -1.0L / 360,          1.0L / 1260,
                                    -1.0L / 1680,  1.0L / 1188,          -691.0L / 360360,
                                    1.0L / 156,    -3617.0L / 122400};
    const L inverse = 1 / a, square = inverse * inverse;
    L power = inverse, sum = 0;
    for (L c : coefficient) {
        sum += c * power;
        power *= square;
    }
    return sum;
}

const L LogTwoPi = 1.83787706640934548356065947281123527L;
}  // namespace

TGammaKernel::TGammaKernel(L a)
    : a_(a), first_(a < 20 ? LogGamma(a) : (std::log(a) - LogTwoPi) / 2),
      second_(a < 20 ? 0 : StirlingRest(a))
{
}

L TGammaKernel::operator()(L x) const
{
    if (a_ < 20)
        return a_ * std::log(x) - x - first_;
    return -a_ * LogOnePlusMinus(x, a_) + first_ - second_;
}

L LogGammaKernel(L a, L x)
{
    return TGammaKernel(a)(x);
}

namespace {
// The smaller tail over the kernel x^a e^-x / Gamma(a): P's series below a + 1 (`lower`), Q's
// continued fraction beyond.
L TailOverKernel(L a, L x, bool& lower)
{
    lower = x < a + 1;
    if (lower) {
        // P = kernel * (1/a + x/(a(a+1)) + ...).
        L term = 1 / a, sum = term, next = a;
        for (int n = 0; n < MaxTerms; ++n) {
            next += 1;
            term *= x / next;
            sum += term;
            if (term < sum * Close)
                break;
        }
        return sum;
    }
    // Q = kernel / (x + 1 - a - 1 (1 - a) / (x + 3 - a - ...)), by the modified Lentz method.
    constexpr L Tiny = LDBL_MIN / LDBL_EPSILON;
    L b = x + 1 - a, c = 1 / Tiny, d = 1 / b, h = d;
    for (int i = 1; i < MaxTerms; ++i) {
        const L an = -i * (i - a);
        b += 2;
        d = an * d + b;
        if (std::fabs(d) < Tiny)
            d = Tiny;
        c = b + an / c;
        if (std::fabs(c) < Tiny)
            c = Tiny;
        d = 1 / d;
        const L delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1) < Close)
            break;
    }
    return h;
}
}  // namespace

TTails IncompleteGamma(L a, L x)
{
    if (!(x > 0))
        return {0, 1};
    if (std::isinf(x))
        return {1, 0};
    bool lower = false;
    const L tail = std::exp(LogGammaKernel(a, x)) * TailOverKernel(a, x, lower);
    return lower ? TTails{tail, 1 - tail} : TTails{1 - tail, tail};
}

TTails LogIncompleteGamma(L a, L x)
{
    if (!(x > 0))
        return {-HUGE_VALL, 0};
    if (std::isinf(x))
        return {0, -HUGE_VALL};
    bool lower = false;
    const L tail = LogGammaKernel(a, x) + std::log(TailOverKernel(a, x, lower));
    const L other = std::log1p(-std::exp(tail));
    return lower ? TTails{tail, other} : TTails{other, tail};
}

L GammaQuantile(L a, bool upper, L target)
{
    // Searched as a chi-square of n = 2a degrees of freedom (x = 2t), whose quantiles the
    // chi-square kind has always given. Wilson and Hilferty: (x/n)^(1/3) is nearly normal with
    // mean 1 - 2/(9n); near 0 the lower tail P(a, t) ~ t^a / Gamma(a + 1) does better.
    const L n = 2 * a;
    const L z = upper ? NormalUpperQuantile(target) : NormalQuantile(target);
    const L v = 2 / (9 * n);
    const L cube = 1 - v + z * std::sqrt(v);
    L guess = n * cube * cube * cube;
    if (!upper && (cube <= 0 || target < 0.05L)) {
        const L logNearZero = std::log(L(2)) + (std::log(target) + LogGamma(a + 1)) / a;
        if (logNearZero < -750)
            return 0;  // below half the least double (a small shape's far lower tail)
        guess = std::min(guess > 0 ? guess : HUGE_VALL, std::exp(logNearZero));
    }
    const auto tail = [&](L x) {
        const TTails t = x > 0 ? IncompleteGamma(a, x / 2) : TTails{0, 1};
        return upper ? t.upper : t.lower;
    };
    const auto density = [&](L x) {
        return x > 0 && !std::isinf(x) ? std::exp(LogGammaKernel(a, x / 2)) / x : L(0);
    };
    return SolveTail(tail, density, upper, target, 0, HUGE_VALL, guess) / 2;
}
