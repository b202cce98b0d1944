// The bounded continuation of the Simpson helpers beyond their exact span: adaptive
// Gauss-Kronrod panels of doubling width, within a budget of density evaluations.
#include "SimpsonWalk.h"

#include <algorithm>
#include <cmath>

namespace simpson {

namespace {
// Gauss-Kronrod 7-15 nodes on [-1, 1] (the positive half) and weights, as tabulated in
// R. Piessens et al., QUADPACK (Springer, 1983), routine QK15.
const long double KronrodNodes[8] = {
    0.991455371120812639206854697526329L, 0.949107912342758524526189684047851L,
    0.864864423359769072789712788640926L, 0.741531185599394439863864773280788L,
    0.586087235467691130294144845693013L, 0.405845151377397166906606412076961L,
    0.207784955007898467600689403773245L, 0.000000000000000000000000000000000L};
const long double KronrodWeights[8] = {
    0.022935322010529224963732008058970L, 0.063092092629978553290700663189204L,
    0.104790010322250183839876322541518L, 0.140653259715525918745189590510238L,
    0.169004726639267902826583426598550L, 0.190350578064785409913256402421014L,
    0.204432940075298892414161999234649L, 0.209482141084727828012999174891714L};
const long double GaussWeights[4] = {  // at Kronrod nodes 1, 3, 5 and 7 (the centre)
    0.129484966168869693270611432679082L, 0.279705391489276667901467771423780L,
    0.381830050505118944950369775488975L, 0.417959183673469387755102040816327L};

// Density evaluations allowed to one continuation: it always ends in bounded time.
constexpr long EvaluationBudget = 400000;
// Absolute tolerance of one Gauss-Kronrod panel.
constexpr long double PanelTolerance = 1e-15L;

struct Quadrature {
    TDistHandler density;
    const TVector& params;
    long evaluations = 0;

    long double Eval(long double x)
    {
        ++evaluations;
        return density(params, static_cast<double>(x));
    }

    // Kronrod estimate over [a, b]; `error` is its distance from the Gauss estimate.
    long double Rule(long double a, long double b, long double& error)
    {
        const long double c = (a + b) / 2, r = (b - a) / 2;
        const long double fc = Eval(c);
        long double k = KronrodWeights[7] * fc, g = GaussWeights[3] * fc;
        for (int i = 0; i < 7; ++i) {
            const long double pair = Eval(c - r * KronrodNodes[i]) + Eval(c + r * KronrodNodes[i]);
            k += KronrodWeights[i] * pair;
            if (i % 2 == 1)
                g += GaussWeights[i / 2] * pair;
        }
        StopOnFloatError();
        error = std::fabs((k - g) * r);
        return k * r;
    }

    long double Adaptive(long double a, long double b, long double tolerance, int depth = 0)
    {
        long double error = 0;
        const long double whole = Rule(a, b, error);
        if (error <= tolerance || depth >= 40 || evaluations >= EvaluationBudget)
            return whole;
        const long double mid = (a + b) / 2;
        return Adaptive(a, mid, tolerance / 2, depth + 1) +
               Adaptive(mid, b, tolerance / 2, depth + 1);
    }
};

// The k-th panel of the continuation from `from` in direction d: width 2^k units.
long double PanelEnd(long double from, int d, int k)
{
    return from + d * (std::ldexp(1.0L, k + 1) - 1);
}
}  // namespace

long double ContinuedIntegral(TDistHandler density, const TVector& params, double from,
                              double to)
{
    Quadrature q{density, params};
    const int d = to > from ? 1 : -1;
    long double sum = 0, a = from;
    for (int k = 0; d * (to - a) > 0; ++k) {
        const long double b = d > 0 ? std::min<long double>(PanelEnd(from, d, k), to)
                                    : std::max<long double>(PanelEnd(from, d, k), to);
        sum += d * q.Adaptive(std::min(a, b), std::max(a, b), PanelTolerance);
        a = b;
    }
    return sum;
}

double ContinuedInverse(TDistHandler density, const TVector& params, const WalkState& s,
                        double Target, double Limit, double h)
{
    Quadrature q{density, params};
    const int d = h > 0 ? 1 : -1;
    const long double end = StopBeforeLimit(s.x, Limit, h);

    long double area = s.A, a = s.x;
    for (int k = 0; d * (end - a) > 0; ++k) {
        const long double b = d > 0 ? std::min(PanelEnd(s.x, d, k), end)
                                    : std::max(PanelEnd(s.x, d, k), end);
        const long double panel = q.Adaptive(std::min(a, b), std::max(a, b), PanelTolerance);
        if (area + panel > Target) {
            // Bisect the panel for the point where the area reaches Target, to the
            // precision of the walk's smallest step.
            long double lo = a, hi = b;
            while (std::fabs(hi - lo) > std::max<long double>(SimpsonMinStep, std::fabs(lo) * 0x1p-60L)) {
                const long double mid = (lo + hi) / 2;
                const long double part = q.Adaptive(std::min(lo, mid), std::max(lo, mid), PanelTolerance);
                if (area + part > Target) {
                    hi = mid;
                } else {
                    area += part;
                    lo = mid;
                }
            }
            return static_cast<double>(lo);
        }
        area += panel;
        a = b;
    }
    return static_cast<double>(end);
}

}  // namespace simpson
