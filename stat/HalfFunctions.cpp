// Exact half-integer powers and Gamma values for whole-number degrees of freedom.
#include "StatInternal.h"

#include <atomic>
#include <cfenv>
#include <cmath>
#include <mutex>
#include <cstdlib>

namespace {
// Gamma(k/2) for k = 1 to 8, as these decimal constants.
const long double HalfGammaTable[9] = {
    0.0L, 1.77245385090552L, 1.0L, 0.88622692545276L, 1.0L,
    1.32934038817914L, 2.0L, 3.32335097044785L, 6.0L,
};
const long double SqrtTwoFactor[2] = {1.0L, 1.4142135623731L};
}  // namespace

namespace {
// Square and multiply: start times base^m, reading the bits of m from the lowest; the base is
// squared in the precision of Base (extended for HalfPower, double for HalfPowerOfTwo).
template <class Base>
long double SquareAndMultiply(long double start, Base base, int m)
{
    long double result = start;
    int mask = 1;
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
}  // namespace

long double HalfPower(int a, long double x)
{
    const int r = a % 2;
    const long double start = r == -1 ? 1.0L / std::sqrt(x) : (r == 0 ? 1.0L : std::sqrt(x));
    return SquareAndMultiply(start, x, a / 2);
}

long double HalfPowerOfTwo(int a)
{
    return SquareAndMultiply(SqrtTwoFactor[std::abs(a % 2)], 2.0, a / 2);
}

namespace {
long double ComputeHalfGamma(int k)
{
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

// HalfGamma above 8 costs O(k) multiplications and depends on k alone: each value up to
// MaxCachedHalfGamma (more than the catalogue's degrees of freedom need) is computed once,
// by the same arithmetic, unless computing it raised a floating-point error flag.
constexpr int MaxCachedHalfGamma = 4096;
struct CachedValue {
    std::atomic<bool> ready{false};
    long double value = 0;
};
CachedValue HalfGammaCache[MaxCachedHalfGamma + 1];
std::mutex HalfGammaLock;
}  // namespace

long double HalfGamma(int k)
{
    if (k >= 1 && k <= 8)
        return HalfGammaTable[k];
    if (k < 1 || k > MaxCachedHalfGamma)
        return ComputeHalfGamma(k);
    CachedValue& entry = HalfGammaCache[k];
    if (entry.ready.load(std::memory_order_acquire))
        return entry.value;
    std::lock_guard<std::mutex> guard(HalfGammaLock);
    long double value = 0;
    const int raised = FloatErrorsOf([&] { value = Settle(ComputeHalfGamma(k)); });
    if (raised) {
        std::feraiseexcept(raised);
        return value;
    }
    entry.value = value;
    entry.ready.store(true, std::memory_order_release);
    return value;
}
