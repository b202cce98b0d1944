// What the families share: the lookups the rest of the library makes in their descriptors.
#include "Family.h"

void NothingToEstimate(const TSampleMoments&, const TVector&, TVector&, const TParamSet&) {}

double FromZero(const TVector&)
{
    return 0;
}

void ChartRange(TDistKind kind, const TVector& params, double& lo, double& hi)
{
    CheckKindAndParams(kind, params);
    FloatChecked([&] { Family(kind).chartRange(params, lo, hi); });
}
