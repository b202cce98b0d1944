// The likelihood of a sample, its maximum and its observed information.
#include "Likelihood.h"

#include <algorithm>
#include <cmath>

L LogLikelihoodOf(const TFamily& family, const TVector& data, const TVector& params)
{
    if (!Served(family, params))
        return -HUGE_VALL;
    L sum = 0;
    for (double x : data) {
        const L term = family.sound.logDensity(params, x);
        if (!(term > -HUGE_VALL))
            return -HUGE_VALL;  // outside the support, or not a number
        sum += term;
    }
    return sum;
}

double LogLikelihood(TDistKind kind, const TVector& data, const TVector& params)
{
    CheckKindAndParams(kind, params);
    return FloatChecked([&] { return static_cast<double>(LogLikelihoodOf(Family(kind), data, params)); });
}

std::vector<int> IndexesOf(TDistKind kind, const TParamSet& estimated)
{
    std::vector<int> indexes;
    for (int i = 0; i < ParamCount(kind); ++i)
        if (estimated[i])
            indexes.push_back(i);
    return indexes;
}

TMatrix PositiveInverse(TMatrix m)
{
    const std::size_t d = m.size();
    TMatrix inverse(d, std::vector<L>(d, 0));
    for (std::size_t i = 0; i < d; ++i)
        inverse[i][i] = 1;
    for (std::size_t c = 0; c < d; ++c) {
        const L pivot = m[c][c];
        if (!(pivot > 0))
            return {};  // not positive definite (a matrix that is keeps positive pivots)
        for (std::size_t j = 0; j < d; ++j) {
            m[c][j] /= pivot;
            inverse[c][j] /= pivot;
        }
        for (std::size_t r = 0; r < d; ++r)
            if (r != c) {
                const L f = m[r][c];
                for (std::size_t j = 0; j < d; ++j) {
                    m[r][j] -= f * m[c][j];
                    inverse[r][j] -= f * inverse[c][j];
                }
            }
    }
    return inverse;
}

namespace {
// The Hessian of f over the parameters `free` with steps h (whole steps for whole ones).
template <class F>
TMatrix HessianOf(F f, const TVector& at, const std::vector<int>& free, const std::vector<L>& h)
{
    const std::size_t d = free.size();
    const L centre = f(at);
    TMatrix H(d, std::vector<L>(d, 0));
    const auto moved = [&](std::size_t a, L da, std::size_t b, L db) {
        TVector p = at;
        p[free[a]] = static_cast<double>(p[free[a]] + da);
        if (b < d)
            p[free[b]] = static_cast<double>(p[free[b]] + db);
        return f(p);
    };
    for (std::size_t a = 0; a < d; ++a) {
        H[a][a] = (moved(a, h[a], d, 0) - 2 * centre + moved(a, -h[a], d, 0)) / (h[a] * h[a]);
        for (std::size_t b = 0; b < a; ++b)
            H[a][b] = H[b][a] = (moved(a, h[a], b, h[b]) - moved(a, h[a], b, -h[b]) -
                                 moved(a, -h[a], b, h[b]) + moved(a, -h[a], b, -h[b])) /
                                (4 * h[a] * h[b]);
    }
    return H;
}
}  // namespace

TMatrix InverseInformation(const TFamily& family, const TVector& data, const TVector& params,
                           const std::vector<int>& free)
{
    const auto f = [&](const TVector& p) { return LogLikelihoodOf(family, data, p); };
    const std::size_t d = free.size();
    std::vector<L> h(d, 1);
    bool whole = false;
    for (std::size_t a = 0; a < d; ++a) {
        const TParam& param = family.params[free[a]];
        if (param.whole) {
            whole = true;
            continue;
        }
        // A step of about a tenth of the standard error: the second difference is then a few
        // thousandths, far above the sums' roundings and where the cubic terms are small.
        // The steps stay inside the served bounds.
        const TBounds served = ServedBounds(param);
        const L value = params[free[a]];
        const L room = std::min(value - L(served.lower), L(served.upper) - value) / 4;
        L step = std::min<L>(1e-4L * std::max<L>(std::fabs(value), 1e-3L), room);
        for (int round = 0; round < 60; ++round) {
            TVector up = params, down = params;
            up[free[a]] = static_cast<double>(value + step);
            down[free[a]] = static_cast<double>(value - step);
            const L second = f(up) - 2 * f(params) + f(down);
            if (!(second < 0) || !std::isfinite(second)) {
                step /= 8;  // beyond the support, or too far to be a maximum's curvature
                continue;
            }
            const L wanted = std::min(room, 0.1L * step / std::sqrt(-second));
            if (std::fabs(wanted / step - 1) < 0.25L)
                break;
            step = wanted;
        }
        h[a] = step;
    }
    // A whole step below the lowest whole value would leave the served values: the differences
    // are then taken one step up.
    TVector centre = params;
    for (std::size_t a = 0; a < d; ++a) {
        const TParam& param = family.params[free[a]];
        if (param.whole)
            centre[free[a]] = std::max(std::trunc(centre[free[a]]), ServedBounds(param).lower + 1);
    }
    TMatrix H = HessianOf(f, centre, free, h);
    if (!whole) {
        // Richardson: the differences err by h^2 terms, which halving the steps quarters.
        std::vector<L> half = h;
        for (L& step : half)
            step /= 2;
        const TMatrix Hh = HessianOf(f, centre, free, half);
        for (std::size_t a = 0; a < d; ++a)
            for (std::size_t b = 0; b < d; ++b)
                H[a][b] = (4 * Hh[a][b] - H[a][b]) / 3;
    }
    for (auto& row : H)
        for (L& v : row)
            v = -v;
    return PositiveInverse(H);
}
