// The generator functions of the inverse and transformation methods: one random number of a
// kind per call, drawn from RandomUniform in a fixed order.
#pragma once

#include <cstdint>

#include "Stat_Lib.h"

// One draw by the inverse distribution of a uniform number.
double GenInverse(TDistKind kind, const TVector& params);
// The number of squared normal draws of GenChi2Sum for an entered N: trunc(N), 0 below 1 and
// for a NaN, bounded by what the 64-bit counter holds.
std::uint64_t Chi2SumTerms(double n);
// One term of the chi-square sum: z·z + sum in extended precision, stored as a double.
inline double AddSquare(double sum, double z)
{
    return static_cast<double>(static_cast<long double>(z) * z + sum);
}
// Student from a chi-square sum, N as entered and the normal draw that follows the sum.
double StudentOf(double sum, double n, double z);
// Chi-square: the sum of trunc(N) squared standard normal draws (0 for N below 1). The kind
// is not used.
double GenChi2Sum(TDistKind kind, const TVector& params);
// Student: a standard normal draw over the root of the chi-square sum divided by N as
// entered; the normal is drawn after the sum. The kind is not used.
double GenStudentT(TDistKind kind, const TVector& params);
