// The three-parameter log-normal distribution's estimates; its functions are the log-normal's
// of x - x0 (Unlisted.h).
#include "LogNormal3.h"
#include "Unlisted.h"

void LogNormal3Estimate(const TSampleMoments&, const TVector& data, TVector& params,
                        const TParamSet& which)
{
    ShiftedEstimate(LogNormal3Family, LogNormalFamily, data, params, which);
}
