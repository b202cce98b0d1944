// The halvings of an inverse walk found from the density's area: the exact walk's point
// wherever the bounds tell it, at the cost of a few polynomials instead of some thirty
// density evaluations.
#include "SimpsonWalk.h"

#include <algorithm>
#include <cmath>

namespace simpson {

bool DecidedHalvings(const TIntegrand& f, const TVector& params, double Target, double Limit,
                     const ZeroTail& zero, const WalkState& s, double h, double next, double f1,
                     double& result)
{
    const TPanelArea area = f.facts.area;
    // Forward walks whose points are exact multiples of the smallest step (the sum of the
    // steps is then s.x + k * SimpsonMinStep, with no rounding), with the limit and the
    // density's zero beyond the panel.
    if (!area || !(h > 0) || !(std::fabs(s.x) + h < 0x1p21) ||
        !(static_cast<long double>(Limit) - s.x > 2 * h) || zero.Covers(next, Limit))
        return false;
    const double top = std::fabs(Target) + std::fabs(s.A);
    // Every panel the walk takes moves A off its last place: it never creeps.
    if (!(std::min(s.f, f1) * SimpsonMinStep / 2 > top * 0x1p-51))
        return false;
    const double left = Target - s.A;
    // How far the walk's sums can lie from A plus the area, beyond the family's bound: A
    // rounded to a double after each panel taken (one a halving at most), each P rounded to
    // a double, the comparison in extended precision and `left` here; twice that.
    const double walk = 2 * (24 * top * 0x1p-53 + top * 0x1p-62 + std::fabs(left) * 0x1p-52 +
                             std::max(s.f, f1) * h * 0x1p-49);
    // Newton's steps for the d of area `left`, from the density at x: the first guess is off
    // by the density's change over the panel, a few parts in a thousand, and each step
    // squares that.
    double d = left / s.f, slope = s.f, bound = 0;
    for (int i = 0; i < 2; ++i) {
        const double a = area(params, s.x, s.f, d, slope, bound);
        if (!(a >= 0) || !(slope > 0))
            return false;
        d = std::clamp(d - (a - left) / slope, 0.0, h);
    }
    // The walk's choices are known when the last point of the smallest step's grid inside the
    // target has its area surely below `left` and the next one surely above it (the bound
    // grows slower than the area, so every point of the search before them is surer still).
    long long k = static_cast<long long>(d / SimpsonMinStep);
    const auto areaAt = [&](long long j, double& b) {
        if (j == 0) {
            b = 0;
            return 0.0;
        }
        double ignored;
        return area(params, s.x, s.f, static_cast<double>(j) * SimpsonMinStep, ignored, b);
    };
    for (int tries = 0; tries < 3; ++tries) {
        double belowBound, aboveBound;
        const double below = areaAt(k, belowBound), above = areaAt(k + 1, aboveBound);
        if (!(below >= 0) || !(above >= 0))
            return false;
        if (below - belowBound - walk > left) {
            --k;
        } else if (above + aboveBound + walk < left) {
            ++k;
        } else if (below + belowBound + walk < left && above - aboveBound - walk > left) {
            result = s.x + static_cast<double>(k) * SimpsonMinStep;
            return true;
        } else {
            return false;
        }
        if (k < 0)
            return false;
    }
    return false;
}

}  // namespace simpson
