// The Cauchy (Lorentz) distribution, whose distribution integrates its density.
#include "Cauchy.h"
#include "Moments.h"
#include "Maximise.h"
#include "PanelSeries.h"
#include "SoundMethods.h"

#include <cmath>

double CauchyDensity(const TVector& params, double x)
{
    const L a = params[0], c = params[1];
    const L z = (x - a) / c;
    return static_cast<double>(1 / (Pi * c * (1 + z * z)));
}

// The listed density is 1 / (pi c (1 + z^2)), z = (x - a) / c, in extended precision and
// rounded to a double: the series of C (c^2 + u^2)^-1 at u = x - a, where that difference is
// a double (the series is formed at u itself).
bool CauchyPanelSeries(const TVector& params, double x, double span, simpson::TPanelSeries& series)
{
    const double a = params[0], c = params[1];
    const double u = x - a;
    // Knuth's two-sum: the rounding error of x - a, 0 when the difference is exact.
    const double back = u - x, error = (x - (u - back)) + (-a - back);
    if (!(c > 0 && c < 1e100) || !(std::fabs(u) < 1e100) || error != 0)
        return false;
    series.listed = 0x1p-52;
    return QuadraticPowerSeries(u, c * c + u * u, -1, span, series);
}

const simpson::TIntegrand CauchyGrid{.density = CauchyDensity,
                                      .facts = {.series = CauchyPanelSeries}};

double CauchyDistribution(const TVector& params, double x)
{
    const double a = params[0];
    if (x == a)
        return 0.5;
    return static_cast<double>(0.5L + SimpsonIntegral(CauchyGrid, params, a, x));
}

double CauchySearchLimit(double a)
{
    const L limit = 100 * L(a) + 100;
    if (limit > a)
        return static_cast<double>(limit);
    return static_cast<double>(a + 100 * (1 + std::fabs(L(a))));
}

double CauchyInverse(const TVector& params, double p)
{
    const double a = params[0];
    if (p > 0.5 && p < 1)
        return SimpsonInverse(CauchyGrid, params, a, static_cast<double>(p - 0.5L),
                              CauchySearchLimit(a));
    if (p > 0 && p < 0.5) {
        const double q = SimpsonInverse(CauchyGrid, params, a, static_cast<double>(0.5L - p),
                                        CauchySearchLimit(a));
        return static_cast<double>(2 * L(a) - q);
    }
    if (p == 0.5)
        return a;
    return 0;
}

// The calculator chart's range.
void CauchyChart(const TVector& p, double& lo, double& hi)
{
    lo = p[0] - 2 * std::sqrt(p[1]);
    hi = p[0] + 2 * std::sqrt(p[1]);
}

// ---- The sound functions: 1/2 + atan(z) / pi, in the forms that keep each tail's digits -----
namespace {
L Standard(const TVector& params, double x)
{
    return (x - L(params[0])) / params[1];
}

// P(X <= x) as a function of z.
L CauchyLower(L z)
{
    if (z < -1)
        return std::atan(-1 / z) / Pi;
    if (z > 1)
        return 1 - std::atan(1 / z) / Pi;
    return 0.5L + std::atan(z) / Pi;
}

// The quantile's distance from a in units of the scale, for p in (0, 1): from the tangent of
// the probability nearest to it (p itself, or its distance from 1/2 or from 1, each exact).
L CauchyOffset(double p)
{
    if (p < 0.25)
        return -1 / std::tan(Pi * p);
    if (p > 0.75)
        return 1 / std::tan(Pi * (1 - L(p)));
    return std::tan(Pi * (p - 0.5L));
}
}  // namespace

double CauchySoundDensity(const TVector& params, double x)
{
    const L z = Standard(params, x);
    return SoundDouble(1 / (Pi * params[1] * (1 + z * z)));
}

L CauchyLogDensity(const TVector& params, double x)
{
    const L z = Standard(params, x);
    return -std::log(Pi * params[1]) - std::log1p(z * z);
}

double CauchySoundDistribution(const TVector& params, double x)
{
    return x == params[0] ? 0.5 : SoundProbability(CauchyLower(Standard(params, x)));
}

double CauchySoundUpper(const TVector& params, double x)
{
    return x == params[0] ? 0.5 : SoundProbability(CauchyLower(-Standard(params, x)));
}

double CauchySoundInverse(const TVector& params, double p)
{
    return p == 0.5 ? params[0] : SoundDouble(params[0] + params[1] * CauchyOffset(p));
}

double CauchySoundUpperInverse(const TVector& params, double q)
{
    return q == 0.5 ? params[0] : SoundDouble(params[0] - params[1] * CauchyOffset(q));
}

// The listed walks start at a.
double CauchyWalked(const TVector& params, double x)
{
    return SoundDouble(std::fabs(x - L(params[0])));
}

// A Cauchy narrower than a panel: the first panel from a takes the peak's height over a sixth
// of the panel.
bool CauchyNarrowerThanAPanel(const TVector& params)
{
    return params[1] < SimpsonStep;
}

// ---- Estimate: maximum likelihood ---------------------------------------------------------
// The log-likelihood of (a, c) is -n ln(pi c) - sum ln(1 + z^2), z = (x - a) / c; with both
// free it has a single maximum when no value holds half the sample (J. B. Copas, On the
// unimodality of the likelihood for the Cauchy distribution, Biometrika 62, 1975), reached by
// Newton's steps from the median and half the interquartile range. The parameters are
// measured from the median in units of that half range, which keeps the steps' scale near 1.
void CauchyEstimate(const TSampleMoments& s, const TVector& data, TVector& params,
                    const TParamSet& which)
{
    if (!which[0] && !which[1])
        return;
    const std::size_t n = s.n;
    const std::vector<double> sorted = SortedSample(data);
    const L median = SortedQuantile(sorted, 0.5L);
    L spread = (SortedQuantile(sorted, 0.75L) - SortedQuantile(sorted, 0.25L)) / 2;
    if (!(spread > 0))
        spread = (s.max - s.min) / 2;
    if (!(spread > 0))
        throw TRefusal("all values are equal");
    // Sums over the data at (a, c) in standard units; where z^2 leaves the double range,
    // from z in extended precision.
    enum Sum { Logs, Z1, Z2, Curve, Cross, Z2Z2, SumCount };
    const auto form = [&](const std::vector<L>& t) {
        const L a = t[0], c = t[1], shift = median + a * spread, width = c * spread;
        const double shiftD = static_cast<double>(shift), inverse = static_cast<double>(1 / width);
        std::array<L, SumCount> out;
        BlockSums(data, [&](double x, std::array<double, SumCount>& b) {
            const double z = (x - shiftD) * inverse;
            if (!(std::fabs(z) < 1e150)) {
                const L wide = (x - shift) / width;
                b[Logs] += static_cast<double>(2 * std::log(std::fabs(wide)));
                b[Z1] += static_cast<double>(1 / wide);
                b[Z2] += 1;
                return true;
            }
            const double zz = z * z, r = 1 / (1 + zz), rr = r * r;
            b[Logs] += std::log1p(zz);
            b[Z1] += z * r;
            b[Z2] += zz * r;
            b[Curve] += (1 - zz) * rr;
            b[Cross] += z * r + z * (1 - zz) * rr;
            b[Z2Z2] += zz * rr;
            return true;
        }, out);
        return out;
    };
    TSumsAt<std::array<L, SumCount>, decltype(form)> sums(form);
    const TGradient gradient = [&](const std::vector<L>& t, std::vector<L>& g) {
        const L c = t[1];
        const auto& u = sums.At(t);
        g[0] = 2 * u[Z1] / c;
        g[1] = -L(n) / c + 2 * u[Z2] / c;
        return -L(n) * std::log(Pi * c) - u[Logs];
    };
    const THessian hessian = [&](const std::vector<L>& t, TMatrix& H) {
        const L c = t[1], c2 = c * c;
        const auto& u = sums.At(t);
        H[0][0] = -2 * u[Curve] / c2;
        H[0][1] = H[1][0] = -2 * u[Cross] / c2;
        H[1][1] = L(n) / c2 - 2 * u[Z2] / c2 - 4 * u[Z2Z2] / c2;
    };
    const L a0 = which[0] ? 0 : (params[0] - median) / spread;
    const L c0 = which[1] ? 1 : params[1] / spread;
    const TMaximised best =
        MaximiseFree({{a0}, {c0, true}}, {which[0], which[1]}, gradient, hessian);
    if (!best.converged)
        throw TRefusal("the likelihood has no maximum");
    if (which[0])
        StoreEstimate(params, 0, median + spread * best.at[0]);
    if (which[1])
        StoreEstimate(params, 1, spread * best.at[1]);
}

// No moment exists; the mode is the location.
TMoments CauchyMoments(const TVector& params)
{
    return MomentsOf(NoMoment, NoMoment, params[0], NoMoment, NoMoment);
}

// ---- Logarithmic tails: P(X > x) = atan2(1, z) / pi ------------------------------------------
L CauchyLogLower(const TVector& params, double x)
{
    return std::log(std::atan2(L(1), -(x - L(params[0])) / params[1]) / Pi);
}

L CauchyLogUpper(const TVector& params, double x)
{
    return std::log(std::atan2(L(1), (x - L(params[0])) / params[1]) / Pi);
}
