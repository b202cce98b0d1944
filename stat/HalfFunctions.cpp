// Exact half-integer powers and Gamma values for whole-number degrees of freedom.
#include "Stat_Lib.h"

#include <cmath>
#include <cstdlib>

namespace {
// Gamma(k/2) for k = 1 to 8, as these decimal constants.
const long double HalfGammaTable[9] = {
    0.0L, 1.77245385090552L, 1.0L, 0.88622692545276L, 1.0L,
    1.32934038817914L, 2.0L, 3.32335097044785L, 6.0L,
};
const long double SqrtTwoFactor[2] = {1.0L, 1.4142135623731L};
const long double Pi = 3.141592653589793238462643383279502884L;
}  // namespace

long double HalfPower(int a, long double x)
{
    const int r = a % 2;
    long double result = r == -1 ? 1.0L / std::sqrt(x) : (r == 0 ? 1.0L : std::sqrt(x));
    int m = a / 2;
    int mask = 1;
    long double base = x;
    while (m >= 1) {
        if (m & mask) {
            result = result * base;
            m &= ~mask;
        }
        base = base * base;
        mask <<= 1;
    }
    return result;
}

long double HalfPowerOfTwo(int a)
{
    long double result = SqrtTwoFactor[std::abs(a % 2)];
    int m = a / 2;
    int mask = 1;
    double base = 2.0;
    while (m >= 1) {
        if (m & mask) {
            result = result * base;
            m &= ~mask;
        }
        base = base * base;
        mask <<= 1;
    }
    return result;
}

long double HalfGamma(int k)
{
    if (k >= 1 && k <= 8)
        return HalfGammaTable[k];
    if (k % 2 == 0) {
        long double result = 1.0L;
        for (int i = k / 2 - 1; i >= 2; --i)
            result = result * i;
        return result;
    }
    long double result = std::sqrt(Pi) / HalfPowerOfTwo(k - 1);
    for (int i = k - 2; i >= 3; i -= 2)
        result = result * i;
    return result;
}
