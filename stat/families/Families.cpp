// What the families share: the lookups the rest of the library makes in their descriptors.
#include "Family.h"

void NothingToEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&) {}

double WalkedFromZero(const TVector&, double x)
{
    return std::fabs(x);
}

bool Served(const TServed& served, int count, const TVector& params)
{
    for (int i = 0; i < count; ++i) {
        const double v = served.whole ? std::trunc(params[i]) : params[i];
        const bool inside = served.closed ? served.lower[i] <= v && v <= served.upper[i]
                                          : served.lower[i] < v && v < served.upper[i];
        if (!inside)  // a NaN is inside nothing
            return false;
    }
    return !served.consistent || served.consistent(params);
}

void ChartRange(TDistKind kind, const TVector& params, double& lo, double& hi)
{
    CheckKindAndParams(kind, params);
    FloatChecked([&] { Family(kind).chartRange(params, lo, hi); });
}
