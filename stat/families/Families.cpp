// What the families share: the lookups the rest of the library makes in their descriptors.
#include "Family.h"
#include "NumberFormat.h"

#include <algorithm>
#include <cfloat>

void NothingToEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&) {}

double WalkedFromZero(const TVector&, double x)
{
    return std::fabs(x);
}

bool ServedParam(const TServed& served, int index, double value)
{
    const double v = served.whole ? std::trunc(value) : value;
    // Written so that a NaN is inside nothing.
    return served.closed ? served.lower[index] <= v && v <= served.upper[index]
                         : served.lower[index] < v && v < served.upper[index];
}

bool Served(const TServed& served, int count, const TVector& params)
{
    for (int i = 0; i < count; ++i)
        if (!ServedParam(served, i, params[i]))
            return false;
    return !served.consistent || served.consistent(params);
}

int DistFreedomUsed(TDistKind kind, const TParamSet& which)
{
    int used = 0;
    for (int i = 0; i < ParamCount(kind); ++i)
        used += which[i] && !(Family(kind).costNoFreedom >> i & 1);
    return used;
}

std::string DistParamRefusal(TDistKind kind, int index, double value, const TVector& params,
                             char separator)
{
    CheckKindAndParams(kind, params);
    const TFamily& family = Family(kind);
    const TServed& served = family.sound.served;
    const std::string name = family.row.paramNames[index];
    const double lower = served.lower[index], upper = served.upper[index];
    const auto shown = [&](double bound) { return FormatGeneral(bound, separator); };
    if (served.whole) {
        if (std::trunc(value) == value && ServedParam(served, index, value))
            return "";
        return name + " must be a whole number from " + shown(lower) + " to " + shown(upper) + ".";
    }
    if (!ServedParam(served, index, value)) {
        // Bounds from catalogue::Wide on say only that a value must be finite enough; they are
        // named where the value passes them.
        const bool far = upper >= catalogue::Wide;
        if (lower <= -catalogue::Wide && far)
            return name + " must lie between " + shown(lower) + " and " + shown(upper) + ".";
        if (far)
            return name + (value <= lower ? " must be greater than " + shown(lower)
                                          : " must be less than " + shown(upper)) + ".";
        return name + (lower < 0 ? " must lie between " + shown(lower) + " and "
                                 : " must be greater than " + shown(lower) + " and less than ") +
               shown(upper) + ".";
    }
    if (served.consistent && index + 1 == ParamCount(kind)) {
        TVector all = params;
        all[index] = value;
        if (!served.consistent(all))
            return std::string(served.rule) + ".";
    }
    return "";
}

// A range beyond the doubles (a huge location or scale) is held at their ends.
void ChartRange(TDistKind kind, const TVector& params, double& lo, double& hi)
{
    CheckKindAndParams(kind, params);
    const int errors = FloatErrorsOf([&] { Family(kind).chartRange(params, lo, hi); });
    if (errors & ~FE_OVERFLOW)
        ThrowFloatError(errors);
    lo = std::clamp(lo, -DBL_MAX, DBL_MAX);
    hi = std::clamp(hi, -DBL_MAX, DBL_MAX);
}
