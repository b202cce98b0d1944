// Exact half-integer powers and Gamma values for whole-number degrees of freedom.
#include "StatInternal.h"

#include <atomic>
#include <cmath>
#include <mutex>

namespace {
// Gamma(k/2) for k = 1 to 8, as these decimal constants.
const long double HalfGammaTable[9] = {
    0.0L, 1.77245385090552L, 1.0L, 0.88622692545276L, 1.0L,
    1.32934038817914L, 2.0L, 3.32335097044785L, 6.0L,
};
const long double SqrtTwoFactor[2] = {1.0L, 1.4142135623731L};
}  // namespace

long double HalfPower(long long a, long double x)
{
    const long long r = a % 2;
    const long double start = r == -1 ? 1.0L / std::sqrt(x) : (r == 0 ? 1.0L : std::sqrt(x));
    return SquareAndMultiply(start, x, a / 2);
}

long double HalfPowerOfTwo(long long a)
{
    return SquareAndMultiply(SqrtTwoFactor[a % 2 != 0], 2.0, a / 2);
}

namespace {
// Once the running product is infinite or zero, no further factor changes it or raises a flag
// (the overflow was raised when it happened): the loops end there with the same result.
bool Settled(long double product)
{
    return product == 0 || std::isinf(product);
}

long double ComputeHalfGamma(long long k)
{
    if (k % 2 == 0) {
        long double result = 1.0L;
        for (long long i = k / 2 - 1; i >= 2 && !Settled(result); --i)
            result = result * i;
        return result;
    }
    long double result = std::sqrt(Pi) / HalfPowerOfTwo(k - 1);
    for (long long i = k - 2; i >= 3 && !Settled(result); i -= 2)
        result = result * i;
    return result;
}

// HalfGamma above 8 depends on k alone: each value up to MaxCachedHalfGamma (more than the
// catalogue's degrees of freedom need) is computed once, by the same arithmetic, and kept with
// the error flags computing it raised, which every use raises again.
constexpr int MaxCachedHalfGamma = 4096;
struct CachedValue {
    std::atomic<bool> ready{false};  // published after the value is written
    Remembered value;
};
CachedValue HalfGammaCache[MaxCachedHalfGamma + 1];
std::mutex HalfGammaLock;
}  // namespace

long double HalfGamma(long long k)
{
    if (k >= 1 && k <= 8)
        return HalfGammaTable[k];
    if (k < 1 || k > MaxCachedHalfGamma)
        return ComputeHalfGamma(k);
    CachedValue& entry = HalfGammaCache[k];
    if (entry.ready.load(std::memory_order_acquire))
        return entry.value.Use();
    std::lock_guard<std::mutex> guard(HalfGammaLock);
    // Another thread may have published it while this one waited: a published entry is
    // never written again.
    if (!entry.ready.load(std::memory_order_relaxed)) {
        entry.value = Remembered::Of([k] { return ComputeHalfGamma(k); });
        entry.ready.store(true, std::memory_order_release);
    }
    return entry.value.Use();
}
