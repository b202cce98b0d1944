// The digamma and trigamma functions, psi(x) = d ln Gamma(x) / dx and psi'(x), for x > 0: the
// recurrences psi(x) = psi(x + 1) - 1/x and psi'(x) = psi'(x + 1) + 1/x^2 up to x >= 12, then
// the asymptotic series in Bernoulli numbers (Abramowitz and Stegun 6.3.18 and 6.4.12), to the
// extended precision.
#include "StatInternal.h"

namespace {
// B_2k / (2k) and B_2k for k = 1 to 8.
const L BernoulliOver2k[] = {1.0L / 12,   -1.0L / 120,  1.0L / 252,      -1.0L / 240,
                             1.0L / 132,  -691.0L / 32760, 1.0L / 12,   -3617.0L / 8160};
const L Bernoulli[] = {1.0L / 6,   -1.0L / 30,  1.0L / 42,    -1.0L / 30,
                       5.0L / 66,  -691.0L / 2730, 7.0L / 6,  -3617.0L / 510};
constexpr L Large = 12;
}  // namespace

L Digamma(L x)
{
    L shift = 0;
    for (; x < Large; x += 1)
        shift -= 1 / x;
    const L square = 1 / (x * x);
    L power = square, sum = 0;
    for (L c : BernoulliOver2k) {
        sum += c * power;
        power *= square;
    }
    return shift + std::log(x) - 1 / (2 * x) - sum;
}

L Trigamma(L x)
{
    L shift = 0;
    for (; x < Large; x += 1)
        shift += 1 / (x * x);
    const L inverse = 1 / x, square = inverse * inverse;
    L power = square * inverse, sum = 0;
    for (L c : Bernoulli) {
        sum += c * power;
        power *= square;
    }
    return shift + inverse + square / 2 + sum;
}
