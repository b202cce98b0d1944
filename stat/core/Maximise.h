// The maximum of a smooth function of a few parameters (a log-likelihood), by Newton's steps.
// The gradient is the caller's; so is the Hessian where the caller can form it, else it is
// formed from differences of the gradient. Positive parameters are moved in their logarithm,
// so they stay positive, and every parameter within its bounds. A step that does not raise
// the function is halved; a Hessian that is not negative definite gives way to a step up the
// gradient.
#pragma once

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

#include "StatInternal.h"

using TMatrix = std::vector<std::vector<L>>;

struct TMaximised {
    std::vector<L> at;  // the parameters at the maximum
    bool converged = false;
};

// One coordinate: its start, whether it is positive (moved in its logarithm), and its bounds.
struct TCoordinate {
    L start;
    bool positive = false;
    L lower = -HUGE_VALL, upper = HUGE_VALL;
};

// gradient(theta, g) fills g with the partial derivatives at theta and returns the function's
// value there; a theta outside its domain returns -infinity (and must raise no error flag).
// hessian(theta, H), where given, fills H with the second partial derivatives.
using TGradient = std::function<L(const std::vector<L>& theta, std::vector<L>& g)>;
using THessian = std::function<void(const std::vector<L>& theta, TMatrix& H)>;

TMaximised Maximise(const std::vector<TCoordinate>& coordinates, const TGradient& gradient,
                    const THessian& hessian = nullptr);

// The maximum over the coordinates marked free, the others held at their starts; gradient and
// Hessian are those of all the coordinates, and `at` holds all of them.
TMaximised MaximiseFree(const std::vector<TCoordinate>& coordinates, const std::vector<bool>& free,
                        const TGradient& gradient, const THessian& hessian = nullptr);

// The maximum of f over a few coordinates by Nelder and Mead's simplex, from `start` with
// initial moves `moves`; -infinity from f stands for a point outside its domain. The value of
// the maximum is returned and `at` holds its point.
L SimplexMaximum(const std::function<L(const std::vector<L>&)>& f, std::vector<L> start,
                 const std::vector<L>& moves, std::vector<L>& at);

// The root of f in [lo, hi], where f(lo) and f(hi) differ in sign, by the Illinois method
// (regula falsi with the stale end's value halved), to the extended precision.
template <class F>
L RootOf(F f, L lo, L hi)
{
    L flo = f(lo), fhi = f(hi);
    if (flo == 0)
        return lo;
    if (fhi == 0)
        return hi;
    int side = 0;
    for (int i = 0; i < 200; ++i) {
        L x = (lo * fhi - hi * flo) / (fhi - flo);
        if (!(x > lo && x < hi))
            x = lo + (hi - lo) / 2;
        const L fx = f(x);
        if (fx == 0 || hi - lo <= std::fabs(x) * 0x1p-60L)
            return x;
        if ((fx < 0) == (flo < 0)) {
            lo = x;
            flo = fx;
            if (side == -1)
                fhi /= 2;
            side = -1;
        } else {
            hi = x;
            fhi = fx;
            if (side == 1)
                flo /= 2;
            side = 1;
        }
    }
    return lo + (hi - lo) / 2;
}

// The point of [lo, hi] where f, unimodal there, is largest, to within `tolerance`: Brent's
// method (R. P. Brent, Algorithms for Minimization without Derivatives, 1973), parabolas
// through the best three points where they step well, golden sections where they do not. A
// point outside f's domain (f infinite or NaN there) stands as one far below every other.
template <class F>
L BrentMaximum(F f, L lo, L hi, L tolerance)
{
    const L golden = (3 - std::sqrt(5.0L)) / 2;
    L x = lo + golden * (hi - lo), w = x, v = x;
    // minimised: the function's negative, within a bound the parabolas cannot overflow from
    const auto g = [&](L at) {
        const L value = -f(at);
        return value < 1e4000L ? value : 1e4000L;
    };
    L fx = g(x), fw = fx, fv = fx;
    L d = 0, e = 0;
    for (int i = 0; i < 200; ++i) {
        const L middle = (lo + hi) / 2, tol1 = 0x1p-40L * std::fabs(x) + tolerance / 3;
        const L tol2 = 2 * tol1;
        if (std::fabs(x - middle) <= tol2 - (hi - lo) / 2)
            break;
        bool parabolic = false;
        if (std::fabs(e) > tol1) {
            // The vertex of the parabola through (v, fv), (w, fw) and (x, fx), taken where it
            // lies inside the bracket and moves less than half the step before last.
            L r = (x - w) * (fx - fv), q = (x - v) * (fx - fw), p = (x - v) * q - (x - w) * r;
            q = 2 * (q - r);
            if (q > 0)
                p = -p;
            q = std::fabs(q);
            r = e;
            e = d;
            if (std::fabs(p) < std::fabs(q * r / 2) && p > q * (lo - x) && p < q * (hi - x)) {
                d = p / q;
                parabolic = true;
                if ((x + d) - lo < tol2 || hi - (x + d) < tol2)
                    d = middle >= x ? tol1 : -tol1;
            }
        }
        if (!parabolic) {
            e = (x >= middle ? lo : hi) - x;
            d = golden * e;
        }
        const L u = x + (std::fabs(d) >= tol1 ? d : (d >= 0 ? tol1 : -tol1));
        const L fu = g(u);
        if (fu <= fx) {
            (u >= x ? lo : hi) = x;
            v = w, fv = fw;
            w = x, fw = fx;
            x = u, fx = fu;
        } else {
            (u < x ? lo : hi) = u;
            if (fu <= fw || w == x) {
                v = w, fv = fw;
                w = u, fw = fu;
            } else if (fu <= fv || v == x || v == w) {
                v = u, fv = fu;
            }
        }
    }
    return x;
}

// Sums over the data from which a function's gradient and its Hessian are both formed: the
// Hessian is asked for where the gradient was last formed, and the pass is not repeated.
template <class Sums, class Form>
class TSumsAt {
public:
    explicit TSumsAt(Form form) : form_(form) {}
    const Sums& At(const std::vector<L>& theta)
    {
        if (!formed_ || theta != last_) {
            sums_ = form_(theta);
            last_ = theta;
            formed_ = true;
        }
        return sums_;
    }

private:
    Form form_;
    Sums sums_{};
    std::vector<L> last_;
    bool formed_ = false;
};

// Sums over the values of Count terms each, added into `block` by add(value, block) (false:
// the value lies outside the function's domain, and so is the sum). The terms of each block
// of values are summed in double, which the processor keeps in registers, and the blocks'
// sums in extended precision.
template <std::size_t Count, class AddTerms>
bool BlockSums(const std::vector<double>& values, AddTerms add, std::array<L, Count>& sums)
{
    constexpr std::size_t Block = 256;
    sums.fill(0);
    for (std::size_t start = 0; start < values.size(); start += Block) {
        std::array<double, Count> block{};
        const std::size_t end = std::min(values.size(), start + Block);
        for (std::size_t i = start; i < end; ++i)
            if (!add(values[i], block))
                return false;
        for (std::size_t k = 0; k < Count; ++k)
            sums[k] += block[k];
    }
    return true;
}
