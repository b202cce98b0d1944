// DistEval: the kind's function for the mode, from its descriptor, with the true value; and
// the upper tail with its inverse.
#include "Family.h"
#include "TrueValues.h"

#include <string>

double DistEval(TDistKind kind, TDistFunc mode, const TVector& params, double x)
{
    CheckKindAndParams(kind, params);
    if (static_cast<int>(mode) >= DistFuncCount)
        throw EStat("Unknown evaluation mode " + std::to_string(static_cast<int>(mode)) + ".");
    const TFamily& family = Family(kind);
    return FloatChecked([&] { return TrueValue(family, mode, params, x); });
}

double DistUpper(TDistKind kind, const TVector& params, double x)
{
    CheckKindAndParams(kind, params);
    return FloatChecked([&] { return TrueUpper(Family(kind), params, x); });
}

double DistUpperInverse(TDistKind kind, const TVector& params, double q)
{
    CheckKindAndParams(kind, params);
    return FloatChecked([&] { return TrueUpperInverse(Family(kind), params, q); });
}
