// The generalised Pareto distribution: with z = (x - mu) / sigma, the cumulative hazard
// H = ln(1 + xi z) / xi (z for xi = 0), 1 + xi z formed as (sigma + xi (x - mu)) / sigma with
// one rounding; each tail from H without 1 minus the other, the quantiles from H = -ln(tail)
// by expm1(xi H) / xi.
#include "GenPareto.h"
#include "Moments.h"
#include "Maximise.h"
#include "Unlisted.h"

#include <algorithm>
#include <cmath>

namespace {
// The cumulative hazard at x; false outside the support (below it, or at and above the upper
// end of a negative xi), with `below` saying which side.
bool Hazard(const TVector& params, double x, L& h, bool& below)
{
    const L d = x - L(params[0]), sigma = params[1], xi = params[2];
    below = !(d >= 0);
    if (below || std::isnan(d))
        return false;
    if (std::fabs(xi) <= MinPositiveDouble) {
        h = d / sigma;
        return true;
    }
    // 1 + xi z as (sigma + xi d) / sigma, rounded once, which keeps its digits near a negative
    // xi's upper end.
    const L inside = std::fmal(xi, d, sigma);
    if (!(inside > 0))
        return false;  // at or beyond the upper end
    const L xiz = xi * d / sigma;
    h = (std::fabs(xiz) < 0.5L ? std::log1p(xiz) : std::log(inside / sigma)) / xi;
    return true;
}

// The quantile at the cumulative hazard h: beyond the doubles, the infinity.
double AtHazard(const TVector& params, L h)
{
    const L xi = params[2];
    if (std::fabs(xi) <= MinPositiveDouble)
        return SoundDouble(params[0] + params[1] * h);
    if (xi * h > 11356)
        return HUGE_VAL;
    return SoundDouble(params[0] + params[1] * (std::expm1(xi * h) / xi));
}
}  // namespace

double GenParetoDensity(const TVector& params, double x)
{
    return SoundDouble(SoundExp(GenParetoLogDensity(params, x)));
}

L GenParetoLogDensity(const TVector& params, double x)
{
    L h = 0;
    bool below = false;
    if (!Hazard(params, x, h, below) || std::isinf(h))
        return -HUGE_VALL;
    // ln f = -ln sigma - (1 + xi) H, as (1 + xi z)^(-1/xi - 1) = e^(-H - xi H).
    return -std::log(L(params[1])) - (1 + L(params[2])) * h;
}

double GenParetoDistribution(const TVector& params, double x)
{
    L h = 0;
    bool below = false;
    if (!Hazard(params, x, h, below))
        return below ? 0 : 1;
    return HazardLower(h);
}

double GenParetoUpper(const TVector& params, double x)
{
    L h = 0;
    bool below = false;
    if (!Hazard(params, x, h, below))
        return below ? 1 : 0;
    return HazardUpper(h);
}

double GenParetoInverse(const TVector& params, double p)
{
    if (p <= 0)
        return params[0];
    if (p >= 1)
        return params[2] < 0 ? AtHazard(params, HUGE_VALL) : HUGE_VAL;
    return AtHazard(params, HazardOfLower(p));
}

double GenParetoUpperInverse(const TVector& params, double q)
{
    if (q >= 1)
        return params[0];
    if (q <= 0)
        return params[2] < 0 ? AtHazard(params, HUGE_VALL) : HUGE_VAL;
    return AtHazard(params, HazardOfUpper(q));
}

namespace {
// The log-likelihood of the distances z above mu under sigma and xi; -infinity where a
// distance lies beyond a negative xi's upper end, or where xi is below -1 (there the
// likelihood grows without bound as the upper end reaches the largest value).
L LogLikelihoodAbove(const TVector& z, L sigma, L xi)
{
    if (!(sigma > 0) || !(xi >= -1))
        return -HUGE_VALL;
    L sum = 0;
    for (double d : z) {
        const L inside = xi * d / sigma;
        if (!(inside > -1))
            return -HUGE_VALL;
        sum += std::fabs(xi) <= MinPositiveDouble ? d / sigma : (1 + 1 / xi) * std::log1p(inside);
    }
    return -L(z.size()) * std::log(sigma) - sum;
}

// The point of [lo, hi] where f is largest: the best of a grid of unit steps, refined between
// its neighbours.
template <class F>
L ScanMaximum(F f, L lo, L hi)
{
    L best = lo, bestValue = -HUGE_VALL;
    for (L v = lo; v <= hi; v += 1) {
        const L value = f(v);
        if (value > bestValue) {
            bestValue = value;
            best = v;
        }
    }
    if (!(bestValue > -HUGE_VALL))
        throw TRefusal("the likelihood has no maximum");
    return BrentMaximum(f, std::max(lo, best - 1), std::min(hi, best + 1), 1e-10L);
}

// Grimshaw's profile of the distances z, in v = ln(1 + theta z(n)): xi = S / n with
// S = sum ln(1 + theta z), and -n ln(xi / theta) - n xi - n; -infinity where xi < -1.
struct TProfile {
    const TVector& z;
    L largest, n;

    static L Theta(L v, L largest) { return std::expm1(v) / largest; }
    L FromSum(L sum, L theta) const
    {
        const L xi = sum / n;
        return xi >= -1 ? -n * std::log(xi / theta) - n * xi - n : -HUGE_VALL;
    }
    L Sum(L theta) const
    {
        L sum = 0;
        for (double d : z)
            sum += std::log1p(theta * d);
        return sum;
    }
    L At(L v) const
    {
        const L theta = Theta(v, largest);
        return FromSum(Sum(theta), theta);
    }
};

// The profile at v in the doubles' arithmetic (each term a double's logarithm, summed in
// extended precision), with a bound on its distance from the extended value, the one
// the extended scan forms. A term's argument 1 + theta d is formed in extended precision and rounded
// once: its logarithm (log1p of theta d where that is small) is within 6 double units of itself,
// and the extended term within 4 extended units, both plus the argument's rounding magnified by
// R = |theta d| / (1 + theta d), largest at the largest d. The profile moves by n dS / S + dS
// with the sum. False where the bound cannot be formed or xi may lie either side of -1.
bool QuickProfile(const TProfile& p, L v, L& value, L& bound)
{
    const L theta = TProfile::Theta(v, p.largest), far = theta * p.largest;
    if (!(1 + far > 0))
        return false;
    const L r = far < 0 ? -far / (1 + far) : 1;
    L sum = 0;
    for (double d : p.z) {
        const L w = theta * d;
        sum += std::fabs(w) < 0.5L ? std::log1p(static_cast<double>(w))
                                   : std::log(static_cast<double>(1 + w));
    }
    const L s = std::fabs(sum);
    if (!(s > 0) || !std::isfinite(s))
        return false;
    const L dS = 2 * (s * (6 * 0x1p-53L + 2 * p.n * 0x1p-64L) + p.n * r * 0x1p-61L);
    const L xi = sum / p.n, dXi = dS / p.n;
    if (!(xi - dXi >= -1)) {
        value = -HUGE_VALL;  // xi below -1 certainly; else unknown
        bound = 0;
        return xi + dXi < -1;
    }
    value = p.FromSum(sum, theta);
    bound = p.n * dS / (s - dS) + dS +
            0x1p-55L * p.n * (std::fabs(std::log(xi / theta)) + std::fabs(xi) + 1);
    return std::isfinite(value) && s > 2 * dS;
}

// The first point of the grid -40.125, -39.125, ..., 40.125 where the profile is largest, as
// the extended scan finds it: every point is bounded in the doubles first, and only those
// whose bound reaches the best lower bound are formed in extended precision.
L ProfileGrid(const TProfile& p)
{
    constexpr L Lo = -40.125L;
    constexpr int Points = 81;
    L value[Points], bound[Points];
    bool known[Points];
    L floor = -HUGE_VALL;
    for (int k = 0; k < Points; ++k) {
        known[k] = QuickProfile(p, Lo + k, value[k], bound[k]);
        if (known[k] && value[k] > -HUGE_VALL)
            floor = std::max(floor, value[k] - bound[k]);
    }
    L best = Lo, bestValue = -HUGE_VALL;
    for (int k = 0; k < Points; ++k) {
        if (known[k] && (value[k] == -HUGE_VALL || value[k] + bound[k] < floor))
            continue;
        const L v = p.At(Lo + k);
        if (v > bestValue) {
            bestValue = v;
            best = Lo + k;
        }
    }
    if (!(bestValue > -HUGE_VALL))
        throw TRefusal("the likelihood has no maximum");
    return best;
}

TProfile ProfileOf(const TVector& z)
{
    return {z, *std::max_element(z.begin(), z.end()), L(z.size())};
}
}  // namespace

L GenParetoProfile(const TVector& z, L v)
{
    return ProfileOf(z).At(v);
}

bool GenParetoQuickProfile(const TVector& z, L v, L& value, L& bound)
{
    return QuickProfile(ProfileOf(z), v, value, bound);
}


// mu at the smallest value, where the likelihood is largest (for xi above -1 each density
// falls with the distance above mu), as for the two-parameter exponential law; sigma and xi
// at the likelihood's maximum for that mu. Both estimated: the maximum over theta = xi / sigma
// of the profile -n ln(S / (n theta)) - S - n, where S = sum ln(1 + theta z) and xi = S / n
// (S. D. Grimshaw, Technometrics 35, 1993), searched in v = ln(1 + theta z(n)) over the values
// where xi is at least -1; one of them: its own maximum, in ln sigma or ln(1 + xi).
void GenParetoEstimate(const TSampleMoments& s, const TVector& data, TVector& params,
                       const TParamSet& which)
{
    if (which.none())
        return;
    if (which[0])
        StoreEstimate(params, 0, s.min);
    if (s.min < params[0])
        throw TRefusal("the buffer holds values below mu");
    TVector z(data.size());
    for (std::size_t i = 0; i < data.size(); ++i)
        z[i] = static_cast<double>(data[i] - L(params[0]));
    const L largest = *std::max_element(z.begin(), z.end());
    if (!(largest > 0))
        throw TRefusal("all values are equal");
    const L n = z.size();
    if (which[1] && which[2]) {
        const TProfile grimshaw{z, largest, n};
        const auto xiAt = [&](L v, L& theta) {
            theta = TProfile::Theta(v, largest);
            return grimshaw.Sum(theta) / n;
        };
        const auto profile = [&](L v) {
            return v == 0 ? LogLikelihoodAbove(z, s.mean - L(params[0]), 0) : grimshaw.At(v);
        };
        const L grid = ProfileGrid(grimshaw);
        const L v = BrentMaximum(profile, std::max(-40.125L, grid - 1), std::min(40.125L, grid + 1),
                                 1e-10L);
        L theta = 0;
        const L xi = xiAt(v, theta);
        StoreEstimate(params, 2, xi);
        StoreEstimate(params, 1, v == 0 ? s.mean - L(params[0]) : xi / theta);
    } else if (which[1]) {
        const L xi = params[2];
        const L u = ScanMaximum([&](L w) { return LogLikelihoodAbove(z, std::exp(w), xi); },
                                std::log(largest) - 40, std::log(largest) + 40);
        StoreEstimate(params, 1, std::exp(u));
    } else if (which[2]) {
        const L sigma = params[1];
        const L w = ScanMaximum([&](L t) { return LogLikelihoodAbove(z, sigma, std::expm1(t)); },
                                -40, std::log(710.0L));
        StoreEstimate(params, 2, std::expm1(w));
    }
    if (!std::isfinite(LogLikelihoodAbove(z, params[1], params[2])))
        throw TRefusal("the buffer holds values beyond the upper end of these sigma and xi");
}

// The smallest value lies above mu by GenPareto(0, sigma / n, xi / n): its standard deviation,
// sigma / ((n - xi) sqrt(1 - 2 xi / n)), where it has one.
bool GenParetoError(const TVector& data, const TVector& params, const TParamSet&, int index,
                    double& se)
{
    const L n = data.size(), xi = params[2];
    if (index != 0 || !(2 * xi < n))
        return false;
    se = static_cast<double>(params[1] / ((n - xi) * std::sqrt(1 - 2 * xi / n)));
    return true;
}

// mu lies below the smallest value by at most that law's quantile at the level.
bool GenParetoEndInterval(const TVector& data, const TVector& params, const TParamSet&, int index,
                          double level, TParamInterval& interval)
{
    if (index != 0)
        return false;
    const L n = data.size();
    const double smallest = *std::min_element(data.begin(), data.end());
    const TVector extreme{0, static_cast<double>(params[1] / n), static_cast<double>(params[2] / n)};
    interval.lower = static_cast<double>(smallest - L(GenParetoInverse(extreme, level)));
    interval.upper = smallest;
    return true;
}

// The r-th moment exists for xi < 1 / r; below, each is infinite while the variance is finite.
// The mode is mu where the density falls from it, the upper end where it rises toward it
// (xi < -1), none where it is flat (xi = -1).
TMoments GenParetoMoments(const TVector& params)
{
    const L mu = params[0], sigma = params[1], xi = params[2];
    const L mode = xi > -1 ? mu : xi < -1 ? mu - sigma / xi : NoMoment;
    if (xi >= 1)
        return MomentsOf(HUGE_VALL, NoMoment, mode, NoMoment, NoMoment);
    const L mean = mu + sigma / (1 - xi);
    if (2 * xi >= 1)
        return MomentsOf(mean, HUGE_VALL, mode, NoMoment, NoMoment);
    const L sd = sigma / ((1 - xi) * std::sqrt(1 - 2 * xi));
    const L skewness = 3 * xi < 1 ? 2 * (1 + xi) * std::sqrt(1 - 2 * xi) / (1 - 3 * xi) : HUGE_VALL;
    const L kurtosis = 4 * xi < 1 ? 3 * (1 - 2 * xi) * (2 * xi * xi + xi + 3) / ((1 - 3 * xi) * (1 - 4 * xi)) - 3
                                  : HUGE_VALL;
    return MomentsOf(mean, sd, mode, skewness, kurtosis);
}

// ---- Logarithmic tails from the cumulative hazard ------------------------------------------
L GenParetoLogLower(const TVector& params, double x)
{
    L h = 0;
    bool below = false;
    if (!Hazard(params, x, h, below))
        return below ? -HUGE_VALL : 0;
    return LogHazardLower(std::log(h));
}

L GenParetoLogUpper(const TVector& params, double x)
{
    L h = 0;
    bool below = false;
    if (!Hazard(params, x, h, below))
        return below ? 0 : -HUGE_VALL;
    return -h;
}
