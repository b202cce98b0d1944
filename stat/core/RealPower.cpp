// The general real power of the closed-form distributions and the Beta kernel.
#include "StatInternal.h"

#include <cmath>

long double RealPower(long double x, long double y)
{
    if (y == 0)
        return 1.0L;
    if (x == 0 && y > 0)
        return 0.0L;
    // Whole y in range is told and converted through a double (exact there), with no change of
    // the x87 rounding mode that an extended rounding or conversion to an integer makes.
    if (std::fabs(y) <= 2147483647.0L &&
        static_cast<long double>(static_cast<long long>(static_cast<double>(y))) == y) {
        const long long whole = static_cast<long long>(static_cast<double>(y));
        return whole < 0 ? 1.0L / SquareAndMultiply(1.0L, x, -whole)
                         : SquareAndMultiply(1.0L, x, whole);
    }
    return std::exp(y * std::log(x));
}
