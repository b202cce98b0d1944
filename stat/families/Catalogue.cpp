// The catalogue's operations: parameter names, descriptions, bounds and their test.
#include "StatInternal.h"

#include <cmath>
#include <string>

namespace {
bool HasParam(TDistKind kind, int index)
{
    return index >= 0 && index < ParamCount(kind);
}
}  // namespace

void DistParamName(TDistKind kind, int index, std::string& text)
{
    if (KindIndex(kind) >= DistKindCount)
        return;
    text = HasParam(kind, index) ? catalogue::Rows[KindIndex(kind)].paramNames[index] : "No params";
}

void DistParamHint(TDistKind kind, int index, std::string& text)
{
    text = HasParam(kind, index) ? DistParamHints[KindIndex(kind)][index] : "";
}

void DistParamRange(TDistKind kind, int index, double& lower, double& upper)
{
    if (!HasParam(kind, index))
        return;
    lower = DistParamLower[KindIndex(kind)][index];
    upper = DistParamUpper[KindIndex(kind)][index];
}

void CheckKindAndParams(TDistKind kind, const TVector& params)
{
    if (KindIndex(kind) >= DistKindCount)
        throw EStat("Unknown distribution kind " + std::to_string(KindIndex(kind)) + ".");
    const int count = ParamCount(kind);
    if (params.size() == static_cast<std::size_t>(count))
        return;
    std::string names;
    for (int i = 0; i < count; ++i)
        names += std::string(i ? ", " : " (") + catalogue::Rows[KindIndex(kind)].paramNames[i] +
                 (i + 1 == count ? ")" : "");
    const std::size_t given = params.size();
    throw EStat(std::string(DistKindName[KindIndex(kind)]) + " takes " +
                (count == 0 ? std::string("no parameters") : std::to_string(count) +
                                                                  (count == 1 ? " parameter" : " parameters") +
                                                                  names) +
                "; " + std::to_string(given) + (given == 1 ? " was" : " were") + " given.");
}

bool DistParamValid(TDistKind kind, int index, double x)
{
    if (!HasParam(kind, index))
        return false;
    double lower = 0, upper = 0;
    DistParamRange(kind, index, lower, upper);
    // Written with the negation so that a NaN fails.
    if (!(lower < x && x < upper))
        return false;
    switch (kind) {
    case TDistKind::Chi2:
    case TDistKind::Student:
    case TDistKind::F: {
        const double fraction = x - std::trunc(x);
        return std::fabs(fraction) < MinPositiveDouble;
    }
    default:
        return true;
    }
}
