// The three-parameter Gamma distribution's estimates; its functions are the Gamma's of x - x0
// (Unlisted.h).
#include "Gamma3.h"
#include "Unlisted.h"

void Gamma3Estimate(const TSampleMoments&, const TVector& data, TVector& params,
                    const TParamSet& which)
{
    ShiftedEstimate(Gamma3Family, GammaFamily, data, params, which);
}
