#include "StatInternal.h"

#include <cmath>

namespace {
long double IntegerPower(long double x, long long y)
{
    const bool negative = y < 0;
    unsigned long long e = negative ? static_cast<unsigned long long>(-y) : y;
    long double result = 1.0L;
    long double base = x;
    while (e != 0) {
        if (e & 1)
            result = result * base;
        base = base * base;
        e >>= 1;
    }
    return negative ? 1.0L / result : result;
}
}  // namespace

long double RealPower(long double x, long double y)
{
    if (y == 0)
        return 1.0L;
    if (x == 0 && y > 0)
        return 0.0L;
    if (y == std::trunc(y) && std::fabs(y) <= 2147483647.0L)
        return IntegerPower(x, static_cast<long long>(y));
    return std::exp(y * std::log(x));
}
