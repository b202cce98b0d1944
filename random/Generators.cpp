#include "Generators.h"

#include <cmath>

#include "SimpleRandomLib.h"

double GenInverse(TDistKind kind, const TVector& params)
{
    const double u = RandomUniform();
    return DistEval(kind, TDistFunc::Inverse, params, u);
}

double GenChi2Sum(TDistKind, const TVector& params)
{
    const double whole = std::trunc(params[0]);
    const TVector none;
    double sum = 0;
    // Counted in a double: N may be any entered number (a NaN or a huge N is no UB here).
    for (double i = 1; i <= whole; ++i) {
        const double z = GenInverse(TDistKind::NormalStd, none);
        sum = static_cast<double>(static_cast<long double>(z) * z + sum);
    }
    return sum;
}

double GenStudentT(TDistKind kind, const TVector& params)
{
    const double sum = GenChi2Sum(kind, params);
    // A zero sum gives a zero c without dividing, which also covers 0/0 for N = 0.
    double c = sum == 0 ? 0 : sum / params[0];
    if (!(c >= MinPositiveDouble))
        c = MinPositiveDouble;
    const double z = GenInverse(TDistKind::NormalStd, {});
    return static_cast<double>(z / std::sqrt(static_cast<long double>(c)));
}
