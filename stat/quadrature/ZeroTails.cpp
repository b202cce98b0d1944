// Where a density is exactly 0 for the rest of a walk, as its family tells it.
#include "SimpsonWalk.h"

namespace simpson {

ZeroTail ZeroTailOf(const TIntegrand& f, const TVector& params, double h)
{
    if (f.facts.zeroTail)
        return f.facts.zeroTail(params, h);
    const double d = h > 0 ? 1 : -1;
    return {d * HUGE_VAL, d * HUGE_VAL, h};
}

}  // namespace simpson
