// The three-parameter Weibull distribution's estimates; its functions are the Weibull's of
// x - x0 (Unlisted.h).
#include "Unlisted.h"
#include "Weibull3.h"

void Weibull3Estimate(const TSampleMoments&, const TVector& data, TVector& params,
                      const TParamSet& which)
{
    ShiftedEstimate(Weibull3Family, WeibullFamily, data, params, which);
}
