// Maximum likelihood estimates of the generalised extreme value distribution (J. R. M.
// Hosking, Algorithm AS 215: Maximum-likelihood estimation of the parameters of the
// generalized extreme-value distribution, Applied Statistics 34, 1985), started from the
// L-moments' estimates (J. R. M. Hosking, J. R. Wallis and E. F. Wood, Estimation of the
// generalized extreme-value distribution by the method of probability-weighted moments,
// Technometrics 27, 1985). The likelihood is unbounded for xi below -1 (R. L. Smith, Maximum
// likelihood estimation in a class of nonregular cases, Biometrika 72, 1985): xi is sought
// from -1 on.
#include "ExtrValue.h"
#include "Maximise.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr L LowestShape = -1, HighestShape = 709;
// Below this |xi z| the terms that cancel are formed from their series (coefficients of
// a^k for k = 0 to 9, see Terms).
constexpr double SeriesBelow = 1e-2;
constexpr int SeriesTerms = 10;
struct SeriesCoefficients {
    double r[SeriesTerms], a[SeriesTerms], b[SeriesTerms];
    constexpr SeriesCoefficients() : r(), a(), b()
    {
        for (int k = 0; k < SeriesTerms; ++k) {
            const double sign = k % 2 ? -1 : 1;
            r[k] = sign / (k + 1);
            a[k] = sign * (k + 1) / (k + 2);
            b[k] = -sign * (k + 2) * (k + 1) / (k + 3);
        }
    }
};
constexpr SeriesCoefficients Series;

// One value's log-density f(z, xi) = -(1 + 1/xi) ln w - t, w = 1 + xi z, t = w^(-1/xi)
// (without the -ln sigma), and its derivatives in z and xi. They are formed in double: the
// sums over the values, in extended precision, carry the digits the estimate needs.
struct PointTerms {
    double f, fz, fxi, fzz, fzxi, fxixi;
};

// With a = xi z: ln(w) / xi = z R(a), A = (ln w - a / w) / xi^2 and its derivative in xi,
// B = (2 a / w - 2 ln w + a^2 / w^2) / xi^3, each from its series where a is small.
bool Terms(double z, double xi, double inverseXi, PointTerms& out)
{
    const double a = xi * z, w = 1 + a;
    if (!(w > 0))
        return false;
    const double logW = std::log1p(a), iw = 1 / w, iw2 = iw * iw;
    double logWOverXi, A, B;
    if (std::fabs(a) < SeriesBelow) {
        double r = 0, sa = 0, sb = 0;
        for (int k = SeriesTerms - 1; k >= 0; --k) {
            r = r * a + Series.r[k];
            sa = sa * a + Series.a[k];
            sb = sb * a + Series.b[k];
        }
        logWOverXi = z * r;
        A = z * z * sa;
        B = z * z * z * sb;
    } else {
        logWOverXi = logW * inverseXi;
        A = (logW - a * iw) * inverseXi * inverseXi;
        B = (2 * a * iw - 2 * logW + a * a * iw2) * inverseXi * inverseXi * inverseXi;
    }
    const double t = std::exp(-logWOverXi);
    out.f = -(logW + logWOverXi) - t;
    out.fz = (t - 1 - xi) * iw;
    out.fxi = (1 - t) * A - z * iw;
    out.fzz = (1 + xi) * (xi - t) * iw2;
    out.fzxi = (t * A - 1) * iw - (t - 1 - xi) * z * iw2;
    out.fxixi = -t * A * A + (1 - t) * B + z * z * iw2;
    return true;
}

// The sums over the values of the terms and their products with z.
enum Sum { F, Fz, ZFz, Fxi, Fzz, ZFzz, Z2Fzz, Fzxi, ZFzxi, Fxixi, SumCount };
struct Sums {
    bool inside = false;
    std::array<L, SumCount> of{};
};

Sums SumsOver(const std::vector<double>& y, L mu, L sigma, L xi)
{
    const double m = static_cast<double>(mu), inverse = static_cast<double>(1 / sigma),
                 shape = static_cast<double>(xi), inverseShape = shape != 0 ? 1 / shape : 0;
    Sums s;
    s.inside = BlockSums(y, [&](double v, std::array<double, SumCount>& b) {
        const double z = (v - m) * inverse;
        PointTerms p;
        if (!Terms(z, shape, inverseShape, p))
            return false;
        b[F] += p.f;
        b[Fz] += p.fz;
        b[ZFz] += z * p.fz;
        b[Fxi] += p.fxi;
        b[Fzz] += p.fzz;
        b[ZFzz] += z * p.fzz;
        b[Z2Fzz] += z * z * p.fzz;
        b[Fzxi] += p.fzxi;
        b[ZFzxi] += z * p.fzxi;
        b[Fxixi] += p.fxixi;
        return true;
    }, s.of);
    return s;
}

// Whether every value lies inside the support.
bool Inside(L lowest, L highest, L mu, L sigma, L xi)
{
    return 1 + xi * (lowest - mu) / sigma > 0 && 1 + xi * (highest - mu) / sigma > 0;
}

// The L-moments' estimates of the standardised values (sorted), xi = -k of Hosking's.
void LMomentStart(const std::vector<double>& sorted, L& mu, L& sigma, L& xi)
{
    const L n = sorted.size();
    L b0 = 0, b1 = 0, b2 = 0;
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        const L j = i;
        b0 += sorted[i];
        b1 += j * sorted[i];
        b2 += j * (j - 1) * sorted[i];
    }
    b0 /= n;
    b1 /= n * (n - 1);
    b2 /= n * (n - 1) * (n - 2);
    const L l1 = b0, l2 = 2 * b1 - b0, l3 = 6 * b2 - 6 * b1 + b0;
    const L c = 2 / (3 + l3 / l2) - std::log(2.0L) / std::log(3.0L);
    const L k = std::clamp(7.8590L * c + 2.9554L * c * c, -0.9L, 0.9L);
    if (std::fabs(k) < 1e-6L) {
        sigma = l2 / std::log(2.0L);
        mu = l1 - EulerGamma * sigma;
        xi = 0;
        return;
    }
    const L g = std::exp(LogGamma(1 + k));
    sigma = l2 * k / ((1 - std::exp2(-k)) * g);
    mu = l1 - sigma * (1 - g) / k;
    xi = -k;
}

// The maximum of the likelihood over the free parameters, in standard units.
TMaximised MaximumOver(const std::vector<double>& y, L lowest, L highest, const L start[3],
                       const std::vector<bool>& free)
{
    const L n = y.size();
    const auto form = [&](const std::vector<L>& t) { return SumsOver(y, t[0], t[1], t[2]); };
    TSumsAt<Sums, decltype(form)> sums(form);
    const TGradient gradient = [&](const std::vector<L>& t, std::vector<L>& g) {
        const L sigma = t[1];
        if (!Inside(lowest, highest, t[0], sigma, t[2]))
            return -HUGE_VALL;
        const Sums& s = sums.At(t);
        if (!s.inside)
            return -HUGE_VALL;
        const auto& of = s.of;
        g[0] = -of[Fz] / sigma;
        g[1] = -(n + of[ZFz]) / sigma;
        g[2] = of[Fxi];
        return of[F] - n * std::log(sigma);
    };
    const THessian hessian = [&](const std::vector<L>& t, TMatrix& H) {
        const L sigma = t[1], s2 = sigma * sigma;
        const auto& of = sums.At(t).of;
        H[0][0] = of[Fzz] / s2;
        H[0][1] = H[1][0] = (of[ZFzz] + of[Fz]) / s2;
        H[1][1] = (n + of[Z2Fzz] + 2 * of[ZFz]) / s2;
        H[0][2] = H[2][0] = -of[Fzxi] / sigma;
        H[1][2] = H[2][1] = -of[ZFzxi] / sigma;
        H[2][2] = of[Fxixi];
    };
    return MaximiseFree({{start[0]}, {start[1], true}, {start[2], false, LowestShape, HighestShape}},
                        free, gradient, hessian);
}

// Every how many values a sample too large to start from is thinned.
constexpr std::size_t StartingSample = 20000;
}  // namespace

void ExtrValueEstimate(const TSampleMoments& s, const TVector& data, TVector& params,
                       const TParamSet& which)
{
    const std::vector<bool> free{which[0], which[1], which[2]};
    if (!free[0] && !free[1] && !free[2])
        return;
    if (!(s.variance > 0))
        throw TRefusal("all values are equal");
    for (double x : data)
        if (!std::isfinite(x))
            throw TRefusal("the buffer holds a value that is not finite");
    // The values standardised by the sample's mean and deviation.
    const L centre = s.mean, scale = std::sqrt(s.variance);
    std::vector<double> sorted = SortedSample(data);
    std::vector<double> y(sorted.size());
    for (std::size_t i = 0; i < y.size(); ++i)
        y[i] = static_cast<double>((sorted[i] - centre) / scale);
    const L lowest = y.front(), highest = y.back();

    L start[3];
    LMomentStart(y, start[0], start[1], start[2]);
    if (!free[0])
        start[0] = (params[0] - centre) / scale;
    if (!free[1])
        start[1] = params[1] / scale;
    if (!free[2])
        start[2] = params[2];
    // A start outside the support is brought inside it: xi toward 0, else a wider scale, else
    // the location beside the support's end.
    for (int tries = 0; !Inside(lowest, highest, start[0], start[1], start[2]); ++tries) {
        if (tries == 60)
            throw TRefusal("the buffer holds values outside the support the typed parameters allow");
        if (free[2])
            start[2] = tries < 30 ? start[2] / 2 : 0;
        else if (free[1])
            start[1] *= 2;
        else if (free[0])
            start[0] = (start[2] > 0 ? lowest : highest) + start[1] / (2 * start[2]);
    }
    // A large sample starts from the maximum over every so many of its values.
    if (y.size() > 2 * StartingSample) {
        std::vector<double> thinned;
        const std::size_t step = y.size() / StartingSample;
        for (std::size_t i = 0; i < y.size(); i += step)
            thinned.push_back(y[i]);
        const TMaximised near = MaximumOver(thinned, lowest, highest, start, free);
        if (near.converged &&
            Inside(lowest, highest, near.at[0], near.at[1], near.at[2]))
            std::copy(near.at.begin(), near.at.end(), start);
    }
    const TMaximised best = MaximumOver(y, lowest, highest, start, free);
    if (!best.converged)
        throw TRefusal("the likelihood has no maximum");
    if (free[0])
        StoreEstimate(params, 0, centre + scale * best.at[0]);
    if (free[1])
        StoreEstimate(params, 1, scale * best.at[1]);
    if (free[2])
        StoreEstimate(params, 2, best.at[2]);
}
