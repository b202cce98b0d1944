// The search of a profile likelihood's interval, and the simplex maximiser of the profiles.
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

L SimplexMaximum(const std::function<L(const std::vector<L>&)>& f, std::vector<L> start,
                 const std::vector<L>& moves, std::vector<L>& at)
{
    const std::size_t d = start.size();
    std::vector<std::vector<L>> point(d + 1, start);
    for (std::size_t k = 0; k < d; ++k)
        point[k + 1][k] += moves[k];
    std::vector<L> value(d + 1);
    for (std::size_t k = 0; k <= d; ++k)
        value[k] = f(point[k]);
    const auto along = [&](const std::vector<L>& from, const std::vector<L>& to, L t) {
        std::vector<L> p(d);
        for (std::size_t k = 0; k < d; ++k)
            p[k] = from[k] + t * (to[k] - from[k]);
        return p;
    };
    for (int iteration = 0; iteration < 400 * int(d + 1); ++iteration) {
        std::vector<std::size_t> order(d + 1);
        for (std::size_t k = 0; k <= d; ++k)
            order[k] = k;
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return value[a] > value[b];
        });
        const std::size_t best = order[0], worst = order[d], next = order[d > 0 ? d - 1 : 0];
        L spread = 0;
        for (std::size_t k = 0; k <= d; ++k)
            for (std::size_t c = 0; c < d; ++c)
                spread = std::max(spread, std::fabs(point[k][c] - point[best][c]));
        if (std::isfinite(value[worst]) && value[best] - value[worst] <= 1e-12L * (1 + std::fabs(value[best])) &&
            spread <= 1e-9L)
            break;
        std::vector<L> centroid(d, 0);
        for (std::size_t k = 0; k <= d; ++k)
            if (k != worst)
                for (std::size_t c = 0; c < d; ++c)
                    centroid[c] += point[k][c] / d;
        const std::vector<L> reflected = along(point[worst], centroid, 2);
        const L fr = f(reflected);
        if (fr > value[best]) {
            const std::vector<L> expanded = along(point[worst], centroid, 3);
            const L fe = f(expanded);
            point[worst] = fe > fr ? expanded : reflected;
            value[worst] = std::max(fe, fr);
        } else if (fr > value[next]) {
            point[worst] = reflected;
            value[worst] = fr;
        } else {
            const std::vector<L> contracted = along(point[worst], centroid, fr > value[worst] ? 1.5L : 0.5L);
            const L fc = f(contracted);
            if (fc > std::max(fr, value[worst])) {
                point[worst] = contracted;
                value[worst] = fc;
            } else {
                for (std::size_t k = 0; k <= d; ++k)
                    if (k != best) {
                        point[k] = along(point[best], point[k], 0.5L);
                        value[k] = f(point[k]);
                    }
            }
        }
    }
    const std::size_t best =
        std::max_element(value.begin(), value.end()) - value.begin();
    at = point[best];
    return value[best];
}
