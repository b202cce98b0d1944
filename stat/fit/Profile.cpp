// The search of a profile likelihood's interval.
#include "Profile.h"

#include <algorithm>
#include <cmath>

L ToScale(TScale scale, L v)
{
    switch (scale) {
    case TScale::Log:
        return std::log(v);
    case TScale::Logit:
        return std::log(v) - std::log1p(-v);
    default:
        return v;
    }
}

L FromScale(TScale scale, L u)
{
    switch (scale) {
    case TScale::Log:
        return std::exp(u);
    case TScale::Logit:
        return u < 0 ? std::exp(u) / (1 + std::exp(u)) : 1 / (1 + std::exp(-u));
    default:
        return u;
    }
}

namespace {
// The end on one side (direction +1 or -1) in the coordinate.
L OneEnd(const std::function<L(L)>& deviance, TScale scale, L centre, L step, L cutoff, L end,
         int direction)
{
    const L u0 = ToScale(scale, centre);
    const L uEnd = std::isfinite(ToScale(scale, end)) ? ToScale(scale, end)
                                                      : direction * HUGE_VALL;
    const auto excess = [&](L u) {
        const L d = deviance(FromScale(scale, u));
        return std::isnan(d) ? HUGE_VALL : d - cutoff;  // no value: outside
    };
    L inside = u0, outside = u0;
    L move = std::fabs(step) > 0 ? std::fabs(step) : 0.1L;
    L excessOut = -cutoff;
    for (int i = 0; i < 80; ++i) {
        outside = u0 + direction * move;
        if ((outside - uEnd) * direction >= 0) {
            outside = uEnd;
            if (!std::isfinite(outside))
                return FromScale(scale, outside);
            excessOut = excess(outside);
            if (excessOut <= 0)
                return end;
            break;
        }
        excessOut = excess(outside);
        if (excessOut > 0)
            break;
        inside = outside;
        move *= 2;
    }
    if (!(excessOut > 0))
        return FromScale(scale, outside);
    // Illinois between the last point inside and the first outside.
    L excessIn = excess(inside);
    const L tolerance = 1e-9L * std::max<L>(1, std::fabs(u0) + std::fabs(outside - u0));
    int side = 0;
    for (int i = 0; i < 100 && std::fabs(outside - inside) > tolerance; ++i) {
        L u = inside - excessIn * (outside - inside) / (excessOut - excessIn);
        if (!(std::fabs(u - inside) < std::fabs(outside - inside)) || std::isinf(excessOut))
            u = inside + (outside - inside) / 2;
        const L e = excess(u);
        if (e <= 0) {
            inside = u;
            excessIn = e;
            if (side == -1)
                excessOut /= 2;
            side = -1;
        } else {
            outside = u;
            excessOut = e;
            if (side == 1)
                excessIn /= 2;
            side = 1;
        }
    }
    return FromScale(scale, inside + (outside - inside) / 2);
}
}  // namespace

void ProfileEnds(const std::function<L(L)>& deviance, TScale scale, L centre, L step, L cutoff,
                 L lowest, L highest, L& lower, L& upper)
{
    lower = OneEnd(deviance, scale, centre, step, cutoff, lowest, -1);
    upper = OneEnd(deviance, scale, centre, step, cutoff, highest, 1);
}
