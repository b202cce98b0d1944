// What the families share: the lookups the rest of the library makes in their descriptors.
#include "Family.h"

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

void ChartRange(TDistKind kind, const TVector& params, double& lo, double& hi)
{
    CheckKindAndParams(kind, params);
    FloatChecked([&] { Family(kind).chartRange(params, lo, hi); });
}
