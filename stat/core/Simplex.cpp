// Nelder and Mead's simplex, for maxima whose functions have no derivatives at hand.
#include "Maximise.h"

#include <algorithm>
#include <cmath>

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
