// The moments of the normal and log-normal laws.
#include "Moments.h"
#include "Normal.h"


TMoments NormalStdMoments(const TVector&)
{
    return MomentsOf(0, 1, 0, 0, 0);
}

TMoments NormalMoments(const TVector& params)
{
    return MomentsOf(params[0], params[1], params[0], 0, 0);
}

namespace {
// ln E[X^r] = r mu + r^2 ro^2 / 2.
Quad LogNormalLogMoment(const TVector& params, int r)
{
    const Quad mu = params[0], ro = params[1];
    return r * mu + r * r * ro * ro / 2;
}
}  // namespace

TMoments LogNormalMoments(const TVector& params)
{
    TMoments m = MomentsOfScaled(LogNormalLogMoment, params, 4, 0, 1);
    m.mode = static_cast<double>(std::exp(L(params[0]) - L(params[1]) * params[1]));
    return m;
}
