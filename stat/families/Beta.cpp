// The Beta distribution.
#include "Beta.h"
#include "Moments.h"
#include "Maximise.h"
#include "PanelSeries.h"

#include <cmath>

double BetaKernel(const TVector& params, double x)
{
    const L alpha = params[0], beta = params[1];
    return static_cast<double>(RealPower(x, alpha - 1) * RealPower(1 - L(x), beta - 1));
}

// The listed kernel is the product of RealPower(x, alpha - 1) and RealPower(1 - x, beta - 1)
// in extended precision, rounded to a double: each power within (2 |p| + 2 |p ln z| + 8)
// 2^-64 relative (the squarings of a whole power double its error as they go; exp(p ln z)
// carries the rounding of its exponent). With p = alpha - 1, q = beta - 1 and y = 1 - x,
// f(x + t) / f(x) = (1 + t/x)^p (1 - t/y)^q, with one peak for p, q >= 0. Where the kernel
// might fall towards the double range's end over the span, the walk evaluates it.
bool BetaPanelSeries(const TVector& params, double x, double span, simpson::TPanelSeries& series)
{
    const double p = params[0] - 1, q = params[1] - 1, y = 1 - x;
    if (!(p >= 0 && q >= 0 && p <= 708 && q <= 708) || !(x > 0 && y > 0) || 1 - y != x ||
        !(span < 0.25 * y))
        return false;
    const double logX = std::log(x), logY = std::log(y);
    if (!(p * logX + q * logY + q * std::log1p(-span / y) > -650))
        return false;
    series.listed = 0x1p-52 + (2 * (p + q) + 2 * (std::fabs(p * logX) + std::fabs(q * logY)) + 16) * 0x1p-64;
    return TwoPowersSeries(1 / x, p, -1 / y, q, span, series);
}

const simpson::TIntegrand BetaKernelGrid{.density = BetaKernel,
                                          .facts = {.series = BetaPanelSeries}};

double BetaKernelInRange(const TVector& params, double x)
{
    return x > 0 && x < 1 ? BetaKernel(params, x) : 0;
}

double BetaNorm(const TVector& params)
{
    return SimpsonIntegral(BetaKernelInRange, params, MinPositiveDouble, 1);
}

namespace {
// With alpha < 1 or beta < 1 the kernel is unbounded at an end, which a grid starting there
// cannot integrate. Each half of (0, 1) is then integrated on its own, and a singular end
// through the substitution u = x^alpha (near 0) or v = (1 - x)^beta (near 1), under which
// the integrand (1/alpha) (1 - u^(1/alpha))^(beta - 1) is bounded.
bool Singular(const TVector& params)
{
    return params[0] < 1 || params[1] < 1;
}

// Integrand of the left half in u = x^alpha.
double LeftSubstituted(const TVector& params, double u)
{
    const L alpha = params[0], beta = params[1];
    return static_cast<double>(RealPower(1 - RealPower(u, 1 / alpha), beta - 1) / alpha);
}

// Integrand of the right half in v = (1 - x)^beta.
double RightSubstituted(const TVector& params, double v)
{
    const L alpha = params[0], beta = params[1];
    return static_cast<double>(RealPower(1 - RealPower(v, 1 / beta), alpha - 1) / beta);
}

// The kernel mirrored, s = 1 - x: the right half integrated from 1 towards the middle.
double MirroredKernel(const TVector& params, double s)
{
    const L alpha = params[0], beta = params[1];
    return static_cast<double>(RealPower(s, beta - 1) * RealPower(1 - L(s), alpha - 1));
}

// Integral of the kernel from 0 to x, for x in [0, 1/2].
L LeftArea(const TVector& params, double x)
{
    if (params[0] < 1)
        return SimpsonIntegral(LeftSubstituted, params, 0,
                               static_cast<double>(RealPower(x, params[0])));
    return SimpsonIntegral(BetaKernel, params, 0, x);
}

// Integral of the kernel from x to 1, for x in [1/2, 1].
L RightArea(const TVector& params, double x)
{
    const double s = static_cast<double>(1 - L(x));
    if (params[1] < 1)
        return SimpsonIntegral(RightSubstituted, params, 0,
                               static_cast<double>(RealPower(s, params[1])));
    return SimpsonIntegral(MirroredKernel, params, 0, s);
}

L SingularNorm(const TVector& params)
{
    return LeftArea(params, 0.5) + RightArea(params, 0.5);
}

// The quantile is searched from the end whose half holds it; the search may run on to 3/4 of
// the way, so a quantile at the middle is found before the search's limit.
double SingularInverse(const TVector& params, double p)
{
    const L norm = SingularNorm(params);
    const L target = p * norm;
    const L alpha = params[0], beta = params[1];
    if (target <= LeftArea(params, 0.5)) {
        if (alpha < 1) {
            const double u = SimpsonInverse(LeftSubstituted, params, 0,
                                            static_cast<double>(target),
                                            static_cast<double>(RealPower(0.75L, alpha)));
            return static_cast<double>(RealPower(u, 1 / alpha));
        }
        return SimpsonInverse(BetaKernel, params, 0, static_cast<double>(target), 0.75);
    }
    const double rest = static_cast<double>((1 - L(p)) * norm);
    if (beta < 1) {
        const double v = SimpsonInverse(RightSubstituted, params, 0, rest,
                                        static_cast<double>(RealPower(0.75L, beta)));
        return static_cast<double>(1 - RealPower(v, 1 / beta));
    }
    return static_cast<double>(1 - L(SimpsonInverse(MirroredKernel, params, 0, rest, 0.75)));
}
}  // namespace

double BetaDensity(const TVector& params, double x)
{
    if (!(x > 0 && x < 1))
        return 0;
    const L norm = Singular(params) ? SingularNorm(params) : L(BetaNorm(params));
    return static_cast<double>(BetaKernel(params, x) / norm);
}

double BetaDistribution(const TVector& params, double x)
{
    if (!(x > MinPositiveDouble))
        return 0;
    if (!(x < 1))
        return 1;
    if (Singular(params)) {
        const L norm = SingularNorm(params);
        if (x <= 0.5)
            return static_cast<double>(LeftArea(params, x) / norm);
        return static_cast<double>(1 - RightArea(params, x) / norm);
    }
    return static_cast<double>(SimpsonIntegral(BetaKernelGrid, params, MinPositiveDouble, x) /
                               L(BetaNorm(params)));
}

double BetaInverse(const TVector& params, double p)
{
    if (!(p > MinPositiveDouble && p < 1))
        return 0;
    if (Singular(params))
        return SingularInverse(params, p);
    return SimpsonInverse(BetaKernelGrid, params, MinPositiveDouble,
                          static_cast<double>(p * L(BetaNorm(params))), 1);
}

// The calculator chart's range.
void BetaChart(const TVector&, double& lo, double& hi)
{
    lo = 0;
    hi = 1;
}

// A Beta kernel whose peak lies near or below the double range, where its values lose their
// digits and the grid sums subnormal numbers.
bool BetaPeakBelowTheRange(const TVector& params)
{
    if (params[0] < 1 || params[1] < 1)
        return false;
    const L a = params[0] - 1, b = params[1] - 1;
    const L logPeak = (a > 0 ? a * std::log(a / (a + b)) : 0) + (b > 0 ? b * std::log(b / (a + b)) : 0);
    return logPeak < -600;
}

// ---- Estimate: maximum likelihood -----------------------------------------------------------
// With G1 and G2 the means of ln x and ln(1 - x), the log-likelihood per value is
// (alpha - 1) G1 + (beta - 1) G2 - ln B(alpha, beta), concave in (alpha, beta) (its Hessian is
// minus the trigamma matrix); Newton's steps from the moments' estimates reach its maximum
// (N. L. Johnson, S. Kotz and N. Balakrishnan, Continuous Univariate Distributions, vol. 2,
// 2nd ed., Wiley 1995, 25.4).
void BetaEstimate(const TSampleMoments& s, const TVector& data, TVector& params,
                  const TParamSet& which)
{
    if (!which[0] && !which[1])
        return;
    L g1 = 0, g2 = 0;
    for (double x : data) {
        if (!(x > 0 && x < 1))
            throw TRefusal("the buffer holds values outside (0, 1)");
        g1 += std::log(L(x));
        g2 += std::log1p(-L(x));
    }
    if (!(s.variance > 0))
        throw TRefusal("all values are equal");
    g1 /= s.n;
    g2 /= s.n;
    const TGradient gradient = [&](const std::vector<L>& t, std::vector<L>& g) {
        const L a = t[0], b = t[1], both = Digamma(a + b);
        g[0] = g1 - Digamma(a) + both;
        g[1] = g2 - Digamma(b) + both;
        return (a - 1) * g1 + (b - 1) * g2 - LogGamma(a) - LogGamma(b) + LogGamma(a + b);
    };
    const THessian hessian = [&](const std::vector<L>& t, TMatrix& H) {
        const L both = Trigamma(t[0] + t[1]);
        H[0][0] = both - Trigamma(t[0]);
        H[1][1] = both - Trigamma(t[1]);
        H[0][1] = H[1][0] = both;
    };
    // The moments' start: the mean m and the variance v give alpha + beta = m (1 - m) / v - 1.
    const L m = s.mean, total = m * (1 - m) / s.variance - 1;
    const L a0 = which[0] ? (total > 0 ? m * total : 1) : L(params[0]);
    const L b0 = which[1] ? (total > 0 ? (1 - m) * total : 1) : L(params[1]);
    const TMaximised best =
        MaximiseFree({{a0, true}, {b0, true}}, {which[0], which[1]}, gradient, hessian);
    if (!best.converged)
        throw TRefusal("the likelihood has no maximum");
    for (int i = 0; i < 2; ++i)
        if (which[i])
            StoreEstimate(params, i, best.at[i]);
}

// The mode: inside for shapes above 1, at an end where the density rises toward it, none where
// it rises toward both ends or is flat.
TMoments BetaMoments(const TVector& params)
{
    const L a = params[0], b = params[1], s = a + b;
    L mode = NoMoment;
    if (a > 1 && b > 1)
        mode = (a - 1) / (s - 2);
    else if (a <= 1 && b >= 1 && (a < 1 || b > 1))
        mode = 0;
    else if (a >= 1 && b <= 1 && (a > 1 || b < 1))
        mode = 1;
    const L sd = std::sqrt(a * b / (s + 1)) / s;
    const L skewness = 2 * (b - a) * std::sqrt(s + 1) / ((s + 2) * std::sqrt(a * b));
    const L kurtosis = 6 * ((a - b) * (a - b) * (s + 1) - a * b * (s + 2)) / (a * b * (s + 2) * (s + 3));
    return MomentsOf(a / s, sd, mode, skewness, kurtosis);
}
