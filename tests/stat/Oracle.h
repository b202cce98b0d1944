// Shorthands for comparing the library with Boost.Math.
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
