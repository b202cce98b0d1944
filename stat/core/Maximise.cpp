#include "Maximise.h"
#include "FloatErrors.h"

#include <algorithm>
#include <cmath>

namespace {
// The coordinates the steps move in: theta itself, or ln theta for a positive one.
struct Mapped {
    const std::vector<TCoordinate>& c;
    const TGradient& gradient;
    const THessian& hessian;

    std::vector<L> Theta(const std::vector<L>& u) const
    {
        std::vector<L> theta(u.size());
        for (std::size_t i = 0; i < u.size(); ++i) {
            const L v = c[i].positive ? std::exp(u[i]) : u[i];
            theta[i] = std::clamp(v, c[i].lower, c[i].upper);
        }
        return theta;
    }

    std::vector<L> U(const std::vector<L>& theta) const
    {
        std::vector<L> u(theta.size());
        for (std::size_t i = 0; i < theta.size(); ++i)
            u[i] = c[i].positive ? std::log(theta[i]) : theta[i];
        return u;
    }

    // The function at u and its gradient with respect to u; -infinity where the function
    // or its gradient cannot be formed (a floating-point error raised there is cleared).
    L At(const std::vector<L>& u, std::vector<L>& g) const
    {
        const std::vector<L> theta = Theta(u);
        L value = 0;
        if (FloatErrorsOf([&] { value = Settle(gradient(theta, g)); }))
            return -HUGE_VALL;
        for (std::size_t i = 0; i < u.size(); ++i) {
            if (!std::isfinite(g[i]))
                return -HUGE_VALL;
            if (c[i].positive)
                g[i] *= theta[i];
        }
        return value;
    }

    // The Hessian with respect to u at u, where the gradient (with respect to u) is g: the
    // caller's, with the chain rule of the logarithms, or from forward differences of the
    // gradient (backward where the forward point is outside the domain), made symmetric.
    TMatrix Hessian(const std::vector<L>& u, const std::vector<L>& g) const
    {
        const std::size_t n = u.size();
        TMatrix H(n, std::vector<L>(n));
        if (hessian) {
            const std::vector<L> theta = Theta(u);
            if (FloatErrorsOf([&] { hessian(theta, H); }))
                return TMatrix(n, std::vector<L>(n, NAN));
            for (std::size_t i = 0; i < n; ++i)
                for (std::size_t j = 0; j < n; ++j) {
                    const L si = c[i].positive ? theta[i] : 1, sj = c[j].positive ? theta[j] : 1;
                    H[i][j] *= si * sj;
                }
            for (std::size_t i = 0; i < n; ++i)
                if (c[i].positive)
                    H[i][i] += g[i];
            return H;
        }
        std::vector<L> trial, gTrial(n);
        for (std::size_t j = 0; j < n; ++j) {
            const L h = 1e-6L * std::max<L>(1, std::fabs(u[j]));
            trial = u;
            trial[j] += h;
            L sign = 1;
            if (!std::isfinite(At(trial, gTrial))) {
                trial[j] = u[j] - h;
                At(trial, gTrial);
                sign = -1;
            }
            for (std::size_t i = 0; i < n; ++i)
                H[i][j] = sign * (gTrial[i] - g[i]) / h;
        }
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < i; ++j)
                H[i][j] = H[j][i] = (H[i][j] + H[j][i]) / 2;
        return H;
    }
};

// Solves H d = -g by Gaussian elimination with partial pivoting; false when H is singular.
bool NewtonStep(TMatrix H, std::vector<L> g, std::vector<L>& d)
{
    const std::size_t n = g.size();
    for (std::size_t i = 0; i < n; ++i)
        g[i] = -g[i];
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t r = col + 1; r < n; ++r)
            if (std::fabs(H[r][col]) > std::fabs(H[pivot][col]))
                pivot = r;
        if (!(std::fabs(H[pivot][col]) > 0))
            return false;
        std::swap(H[pivot], H[col]);
        std::swap(g[pivot], g[col]);
        for (std::size_t r = col + 1; r < n; ++r) {
            const L f = H[r][col] / H[col][col];
            for (std::size_t k = col; k < n; ++k)
                H[r][k] -= f * H[col][k];
            g[r] -= f * g[col];
        }
    }
    d.assign(n, 0);
    for (std::size_t i = n; i-- > 0;) {
        L s = g[i];
        for (std::size_t k = i + 1; k < n; ++k)
            s -= H[i][k] * d[k];
        d[i] = s / H[i][i];
    }
    return std::all_of(d.begin(), d.end(), [](L v) { return std::isfinite(v); });
}

constexpr int MostIterations = 200;
// Steps smaller than Tiny (relative to the coordinates, or absolute below 1) are the end: the
// function does not resolve them. A Newton step smaller than Near is taken without asking the
// function to rise, which near the maximum it does by less than its rounding; one smaller
// than Done is the last (the next would be about its square).
constexpr L Tiny = 1e-14L, Near = 1e-6L, Done = 1e-9L;

L StepSize(const std::vector<L>& from, const std::vector<L>& to)
{
    L size = 0;
    for (std::size_t i = 0; i < from.size(); ++i)
        size = std::max(size, std::fabs(to[i] - from[i]) / std::max<L>(1, std::fabs(from[i])));
    return size;
}
}  // namespace

TMaximised Maximise(const std::vector<TCoordinate>& coordinates, const TGradient& gradient,
                    const THessian& hessian)
{
    const Mapped map{coordinates, gradient, hessian};
    const std::size_t n = coordinates.size();
    std::vector<L> start(n), lowest(n), highest(n);
    for (std::size_t i = 0; i < n; ++i) {
        const TCoordinate& c = coordinates[i];
        start[i] = c.start;
        lowest[i] = c.positive ? (c.lower > 0 ? std::log(c.lower) : -HUGE_VALL) : c.lower;
        highest[i] = c.positive ? std::log(c.upper) : c.upper;
    }
    std::vector<L> u = map.U(start), g(n), trial(n), gTrial(n);
    L value = map.At(u, g);
    TMaximised out;
    if (!std::isfinite(value))
        return out;
    for (int iteration = 0; iteration < MostIterations && !out.converged; ++iteration) {
        std::vector<L> d;
        L uphill = 0;
        if (NewtonStep(map.Hessian(u, g), g, d))
            for (std::size_t i = 0; i < n; ++i)
                uphill += d[i] * g[i];
        const bool newton = uphill > 0;
        if (!newton) {
            // Up the gradient, as far as a unit step in the largest coordinate.
            L largest = 0;
            for (L v : g)
                largest = std::max(largest, std::fabs(v));
            if (!(largest > 0)) {
                out.converged = true;
                break;
            }
            d = g;
            for (L& v : d)
                v /= largest;
        }
        // Halve the step until the function does not fall; where no step resolvable keeps
        // it, this is the maximum.
        for (bool moved = false; !moved;) {
            for (std::size_t i = 0; i < n; ++i)
                trial[i] = std::clamp(u[i] + d[i], lowest[i], highest[i]);
            const L size = StepSize(u, trial);
            if (size < Tiny || (newton && size < Done)) {
                u = trial;
                out.converged = true;
                break;
            }
            const L v = map.At(trial, gTrial);
            if (std::isfinite(v) && (v >= value || (newton && size < Near))) {
                moved = true;
                u = trial;
                g = gTrial;
                value = v;
            } else {
                for (L& step : d)
                    step /= 2;
            }
        }
    }
    out.at = map.Theta(u);
    return out;
}

TMaximised MaximiseFree(const std::vector<TCoordinate>& coordinates, const std::vector<bool>& free,
                        const TGradient& gradient, const THessian& hessian)
{
    std::vector<TCoordinate> moved;
    std::vector<std::size_t> index;
    for (std::size_t i = 0; i < coordinates.size(); ++i)
        if (free[i]) {
            moved.push_back(coordinates[i]);
            index.push_back(i);
        }
    std::vector<L> all(coordinates.size());
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = coordinates[i].start;
    const auto place = [&](const std::vector<L>& theta) {
        std::vector<L> at = all;
        for (std::size_t k = 0; k < index.size(); ++k)
            at[index[k]] = theta[k];
        return at;
    };
    std::vector<L> fullG(all.size());
    const TGradient part = [&](const std::vector<L>& theta, std::vector<L>& g) {
        const L v = gradient(place(theta), fullG);
        for (std::size_t k = 0; k < index.size(); ++k)
            g[k] = fullG[index[k]];
        return v;
    };
    THessian partH;
    if (hessian)
        partH = [&](const std::vector<L>& theta, TMatrix& H) {
            TMatrix fullH(all.size(), std::vector<L>(all.size()));
            hessian(place(theta), fullH);
            for (std::size_t a = 0; a < index.size(); ++a)
                for (std::size_t b = 0; b < index.size(); ++b)
                    H[a][b] = fullH[index[a]][index[b]];
        };
    TMaximised best = Maximise(moved, part, partH);
    best.at = best.at.empty() ? all : place(best.at);
    return best;
}
