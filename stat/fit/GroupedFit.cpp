// Estimates refitted to the fitting test's own categories. With estimates from the raw data
// the statistic lies between the chi-square laws of k - 1 - p and k - 1 degrees of freedom
// (H. Chernoff and E. L. Lehmann, The use of maximum likelihood estimates in chi-square tests
// for goodness of fit, Annals of Mathematical Statistics 25, 1954), far from the first where
// the categories are coarse against the law (a Cauchy sample's range spans thousands of its
// scales). Estimates that maximise the likelihood of the categories' counts,
// sum O_i ln p_i(theta), give the law of k - 1 - p (H. Cramer, Mathematical Methods of
// Statistics, Princeton 1946, 30.3).
#include "Family.h"
#include "Maximise.h"

#include <algorithm>
#include <cmath>

namespace {
// The grouped log-likelihood of the categories with upper bounds `bounds` (the first open
// below, the last taking the probability above its bound too), by the kind's sound functions:
// each category's probability from the tail it is smaller in.
struct Grouped {
    TDistKind kind;
    const TFamily& family;
    TVector bounds, observed;

    // The probabilities of the categories at params; false outside the served parameters.
    bool Probabilities(const TVector& params, std::vector<L>& p) const
    {
        if (!Served(family, params))
            return false;
        const std::size_t k = bounds.size();
        p.assign(k, 0);
        L lowerBefore = 0, upperBefore = 1;
        for (std::size_t i = 0; i < k; ++i) {
            const bool last = i + 1 == k;
            const L lower = last ? 1 : family.sound.distribution(params, bounds[i]);
            const L upper = last ? 0 : family.sound.upper(params, bounds[i]);
            p[i] = upperBefore < 0.5L ? upperBefore - upper : lower - lowerBefore;
            lowerBefore = lower;
            upperBefore = upper;
        }
        return true;
    }

    L LogLikelihood(const TVector& params) const
    {
        std::vector<L> p;
        if (!Probabilities(params, p))
            return -HUGE_VALL;
        L sum = 0;
        for (std::size_t i = 0; i < p.size(); ++i)
            if (observed[i] > 0) {
                if (!(p[i] > 0))
                    return -HUGE_VALL;
                sum += observed[i] * std::log(p[i]);
            }
        return sum;
    }
};

// The coordinates the search moves: ln of a parameter bounded below by 0, the others as
// they are.
struct Coordinates {
    std::vector<int> index;      // the parameters refitted
    std::vector<bool> positive;  // moved in their logarithm
    TVector base;                // every parameter, the others held

    TVector Params(const std::vector<L>& u) const
    {
        TVector params = base;
        for (std::size_t j = 0; j < index.size(); ++j)
            params[index[j]] = static_cast<double>(positive[j] ? std::exp(u[j]) : u[j]);
        return params;
    }
};

// The largest change of a category's probability a step may make for the differences to
// resolve the likelihood's curvature.
constexpr L Probe = 1e-6L;
}  // namespace

bool RefitToCategories(const TVector& data, TDistKind kind, TVector& params,
                       const TParamSet& which, int k)
{
    CheckKindAndParams(kind, params);
    const TFamily& family = Family(kind);
    Coordinates c{{}, {}, params};
    std::vector<L> start;
    for (int i = 0; i < ParamCount(kind); ++i)
        if (which[i] && CostsFreedom(family.params[i])) {
            const bool positive = ServedBounds(family.params[i]).lower >= 0;
            c.index.push_back(i);
            c.positive.push_back(positive);
            start.push_back(positive ? std::log(L(params[i])) : L(params[i]));
        }
    if (c.index.empty())
        return true;
    if (data.size() < 3 || k < 2 || !Served(family, params))
        return false;
    double min = 0, max = 0;
    SortedEnds(data, static_cast<int>(data.size()), min, max);
    Grouped g{kind, family, CategoryBounds(min, max, k), {}};
    g.observed = CategoryCounts(data, g.bounds);
    const auto at = [&](const std::vector<L>& u) { return g.LogLikelihood(c.Params(u)); };

    // Each coordinate's difference step: one that moves the categories' probabilities by
    // about Probe at the start.
    const std::size_t m = start.size();
    std::vector<L> h(m);
    std::vector<L> p0, p1;
    g.Probabilities(c.Params(start), p0);
    for (std::size_t j = 0; j < m; ++j) {
        h[j] = 1e-6L * std::max<L>(1, std::fabs(start[j]));
        for (int tries = 0; tries < 8; ++tries) {
            std::vector<L> u = start;
            u[j] += h[j];
            L moved = 0;
            if (g.Probabilities(c.Params(u), p1))
                for (std::size_t i = 0; i < p0.size(); ++i)
                    moved = std::max(moved, std::fabs(p1[i] - p0[i]));
            if (!(moved > 0)) {
                h[j] *= 1e3L;
                continue;
            }
            const L factor = Probe / moved;
            if (factor > 0.5L && factor < 2)
                break;
            h[j] *= std::clamp<L>(factor, 1e-3L, 1e3L);
        }
    }

    // The value, gradient and Hessian by central differences, formed once per point.
    struct Derivatives {
        L value = -HUGE_VALL;
        std::vector<L> gradient;
        TMatrix hessian;
    };
    const auto form = [&](const std::vector<L>& u) {
        Derivatives d;
        d.value = at(u);
        d.gradient.assign(m, 0);
        d.hessian.assign(m, std::vector<L>(m, 0));
        if (!std::isfinite(d.value))
            return d;
        std::vector<L> v = u;
        const auto shifted = [&](std::size_t a, L sa, std::size_t b, L sb) {
            v = u;
            v[a] += sa * h[a];
            v[b] += sb * h[b];
            return at(v);
        };
        for (std::size_t a = 0; a < m; ++a) {
            const L up = shifted(a, 1, a, 0), down = shifted(a, -1, a, 0);
            d.gradient[a] = (up - down) / (2 * h[a]);
            d.hessian[a][a] = (up - 2 * d.value + down) / (h[a] * h[a]);
            for (std::size_t b = 0; b < a; ++b) {
                const L pp = shifted(a, 1, b, 1), pm = shifted(a, 1, b, -1);
                const L mp = shifted(a, -1, b, 1), mm = shifted(a, -1, b, -1);
                d.hessian[a][b] = d.hessian[b][a] = (pp - pm - mp + mm) / (4 * h[a] * h[b]);
            }
        }
        if (!std::isfinite(d.value + d.gradient[0]))
            d.value = -HUGE_VALL;
        return d;
    };
    TSumsAt<Derivatives, decltype(form)> derivatives(form);
    std::vector<TCoordinate> coordinates;
    for (L s : start)
        coordinates.push_back({s});
    const TMaximised best = Maximise(
        coordinates,
        [&](const std::vector<L>& u, std::vector<L>& gradient) {
            const Derivatives& d = derivatives.At(u);
            gradient = d.gradient;
            return d.value;
        },
        [&](const std::vector<L>& u, TMatrix& H) { H = derivatives.At(u).hessian; });
    // Where the categories hardly tell a parameter (a Cauchy sample's middle category spans
    // hundreds of its scales) the likelihood is nearly flat along it, and the search may end
    // before its steps do: the point reached is as good for the statistic.
    if (best.at.empty())
        return false;
    const TVector refitted = c.Params(best.at);
    if (!Served(family, refitted))
        return false;
    params = refitted;
    return true;
}
