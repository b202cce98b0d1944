#include "Generators.h"

#include <cmath>
#include <limits>

#include "SimpleRandomLib.h"

double GenInverse(TDistKind kind, const TVector& params)
{
    const double u = RandomUniform();
    return DistEval(kind, TDistFunc::Inverse, params, u);
}

std::uint64_t Chi2SumTerms(double n)
{
    const double whole = std::trunc(n);
    if (!(whole >= 1))
        return 0;  // also a NaN
    // 2^64 is the first double the counter cannot hold.
    if (whole >= 0x1p64)
        return std::numeric_limits<std::uint64_t>::max();
    return static_cast<std::uint64_t>(whole);
}

double GenChi2Sum(TDistKind, const TVector& params)
{
    const std::uint64_t terms = Chi2SumTerms(params[0]);
    const TVector none;
    double sum = 0;
    for (std::uint64_t i = 0; i < terms; ++i)
        sum = AddSquare(sum, GenInverse(TDistKind::NormalStd, none));
    return sum;
}

double StudentOf(double sum, double n, double z)
{
    // A zero sum gives a zero c without dividing, which also covers 0/0 for N = 0.
    double c = sum == 0 ? 0 : sum / n;
    if (!(c >= MinPositiveDouble))
        c = MinPositiveDouble;
    return static_cast<double>(z / std::sqrt(static_cast<long double>(c)));
}

double GenStudentT(TDistKind kind, const TVector& params)
{
    const double sum = GenChi2Sum(kind, params);
    return StudentOf(sum, params[0], GenInverse(TDistKind::NormalStd, {}));
}
