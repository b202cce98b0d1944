// The general real power of the closed-form distributions and the Beta kernel.
#include "StatInternal.h"

#include <cmath>

long double RealPower(long double x, long double y)
{
    if (y == 0)
        return 1.0L;
    if (x == 0 && y > 0)
        return 0.0L;
    if (y == std::trunc(y) && std::fabs(y) <= 2147483647.0L) {
        const long long whole = static_cast<long long>(y);
        return whole < 0 ? 1.0L / SquareAndMultiply(1.0L, x, -whole)
                         : SquareAndMultiply(1.0L, x, whole);
    }
    return std::exp(y * std::log(x));
}
