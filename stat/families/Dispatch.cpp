// DistEval: the kind's function for the mode, from its descriptor, with the true value.
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
