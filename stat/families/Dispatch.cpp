// DistEval: the kind's function for the mode, from its descriptor, with the true value; and
// the upper tail with its inverse.
#include "Family.h"
#include "TrueValues.h"

#include <cmath>
#include <string>

namespace {
void RequireMode(TDistFunc mode)
{
    if (static_cast<int>(mode) >= DistFuncCount)
        throw EStat("Unknown evaluation mode " + std::to_string(static_cast<int>(mode)) + ".");
}
}  // namespace

double DistEval(TDistKind kind, TDistFunc mode, const TVector& params, double x)
{
    CheckKindAndParams(kind, params);
    RequireMode(mode);
    const TFamily& family = Family(kind);
    // A quiet kind's listed functions raise no error flag at served parameters, and the sound
    // ones raise none there either: nothing can fail, and no scope is needed.
    if (family.sound.listedQuiet && !std::isnan(x) && Served(family, params))
        return ServedTrueValue(family, mode, params, x);
    return FloatChecked([&] { return TrueValue(family, mode, params, x); });
}

// A value does not depend on the flags it starts with (only its error does), so one scope
// serves them all: an error raised by any value stays raised to the end.
bool DistEvalEach(TDistKind kind, TDistFunc mode, const TVector& params, const double* xs,
                  double* values, std::size_t n)
{
    try {
        CheckKindAndParams(kind, params);
        RequireMode(mode);
        const TFamily& family = Family(kind);
        FloatScope scope;
        for (std::size_t i = 0; i < n; ++i)
            values[i] = Settle(TrueValue(family, mode, params, xs[i]));
        return scope.End() == 0;
    } catch (...) {
        return false;
    }
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
