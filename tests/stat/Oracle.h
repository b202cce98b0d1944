// Shorthands of the tests that compare the library's values with an oracle (Boost.Math, a
// table written by mpmath, a closed form): the three modes, an evaluation, and the message of
// the floating-point error an evaluation ends with.
#pragma once

#include "Stat_Lib.h"
#include "Tolerances.h"


constexpr auto Dens = TDistFunc::Density;
constexpr auto Dist = TDistFunc::Distribution;
constexpr auto Inv = TDistFunc::Inverse;

inline double Eval(TDistKind kind, TDistFunc mode, const TVector& params, double x)
{
    return DistEval(kind, mode, params, x);
}

inline std::string MathErrorOf(TDistKind kind, TDistFunc mode, const TVector& params, double x)
{
    try {
        DistEval(kind, mode, params, x);
    } catch (const EMathError& e) {
        return e.what();
    }
    return "no error";
}
