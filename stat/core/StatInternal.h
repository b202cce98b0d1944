// What the library's own files share and its users do not see: the extended-precision alias
// and constants, the whole-number and open-interval tests, doubles stored from extended values,
// the Simpson panel widths, remembered values, the logarithm of Gamma and the one power
// routine.
#pragma once

#include <cfenv>
#include <cmath>
#include <limits>
#include <math.h>

#include "FloatErrors.h"
#include "Fit_Lib.h"

// Every intermediate is x87 extended precision: results are reproduced bit for bit only with a
// 64-bit mantissa.
static_assert(std::numeric_limits<long double>::digits == 64,
              "Velmora's numerics need the 80-bit long double of x86-64");

using L = long double;

inline constexpr L Pi = 3.141592653589793238462643383279502884L;
inline constexpr L EulerGamma = 0.577215664901532860606512090082402431L;

// The whole part of a degrees-of-freedom parameter, toward zero, in the range of int. Degrees
// of freedom beyond that range have densities that overflow: such a value raises the overflow
// flag and stands as the nearest end of the range; a NaN raises the invalid flag and stands as
// 0. The result is 64-bit so that sums and differences of degrees of freedom stay exact.
inline long long WholeDegrees(double v)
{
    constexpr double Highest = 2147483647.0, Lowest = -2147483648.0;
    const double whole = std::trunc(v);
    if (whole >= Lowest && whole <= Highest)
        return static_cast<long long>(whole);
    std::feraiseexcept(std::isnan(v) ? FE_INVALID : FE_OVERFLOW);
    return std::isnan(v) ? 0 : (v > 0 ? 2147483647LL : -2147483648LL);
}

// A value formed once and kept with the error flags forming it raised: every use raises them
// again, so a call has the same outcome whether the value was formed or remembered.
struct Remembered {
    L value = 0;
    int raised = 0;

    template <class F>
    static Remembered Of(F&& form)
    {
        Remembered r;
        r.raised = FloatErrorsOf([&] { r.value = Settle(form()); });
        return r;
    }

    L Use() const
    {
        if (raised)
            std::feraiseexcept(raised);
        return value;
    }
};

// True strictly inside (0, 1): the probabilities an inverse walks for.
inline bool InOpenUnit(double p)
{
    return p > 0 && p < 1;
}

// An extended value stored as a double. Values below half the smallest subnormal round to
// zero: they are given directly, sparing the slow hardware path of an underflowing store
// (far tails of the densities), with the same result.
inline double StoreDouble(L v)
{
    if (v < 0x1p-1075L && v > -0x1p-1075L)
        return v < 0 ? -0.0 : 0.0;
    return static_cast<double>(v);
}

// A standardised value as a double. A finite value beyond the double range is held at the
// range's end: the standard distributions are 0 or 1 there already, and rounding it would
// overflow.
inline double StandardDouble(L z)
{
    if (std::isfinite(z) && std::fabs(z) > std::numeric_limits<double>::max())
        return z > 0 ? std::numeric_limits<double>::max() : -std::numeric_limits<double>::max();
    return static_cast<double>(z);
}

constexpr double SimpsonStep = 0x1p-10;     // panel width of both Simpson helpers
constexpr double SimpsonMinStep = 0x1p-31;  // smallest step of SimpsonInverse

// ln |Gamma(x)|, as std::lgamma gives it, without writing the global sign that std::lgamma
// leaves (a data race between threads). The sound functions ask for the same few arguments
// call after call (the shapes of one distribution), so the latest ones are kept per thread;
// only those of x > 0, where lgammal raises no flag but inexact, so a kept value changes
// neither a result nor a flag.
inline L LogGamma(L x)
{
    struct Kept {
        L x, value;
    };
    constexpr int Size = 4;
    constexpr L None = std::numeric_limits<L>::quiet_NaN();  // equal to no argument
    thread_local Kept kept[Size] = {{None, 0}, {None, 0}, {None, 0}, {None, 0}};
    thread_local int next = 0;
    for (const Kept& k : kept)
        if (k.x == x)
            return k.value;
    int sign;
    const L value = lgammal_r(x, &sign);
    if (x > 0 && std::isfinite(x)) {
        kept[next] = {x, value};
        next = (next + 1) % Size;
    }
    return value;
}

// The digamma and trigamma functions, for x > 0.
L Digamma(L x);
L Trigamma(L x);

// Square and multiply: start times base^m (m >= 0; 0 for a negative m), reading the bits of m
// from the lowest; the base is squared in the precision of Base. The one power routine of the
// library: HalfPower, HalfPowerOfTwo and the whole powers of RealPower.
template <class Base>
L SquareAndMultiply(L start, Base base, long long m)
{
    L result = start;
    for (unsigned long long bits = m >= 1 ? static_cast<unsigned long long>(m) : 0; bits != 0;
         bits >>= 1) {
        if (bits & 1)
            result = result * base;
        base = base * base;
    }
    return result;
}

// The general real power x^y: 1 for y = 0, 0 for x = 0 and y > 0, repeated multiplication
// (square and multiply) for a whole y up to 2147483647 in size, otherwise exp(y ln x).
L RealPower(L x, L y);
