// The inverse Gaussian distribution by its normal form (J. L. Folks and R. S. Chhikara, J. R.
// Stat. Soc. B 40, 1978): with a = sqrt(lambda / x)(x / mu - 1) and b = sqrt(lambda / x)(x / mu
// + 1), P(X <= x) = Phi(a) + E and P(X > x) = Phi(-a) - E, where E = e^(2 lambda / mu) Phi(-b).
// E is formed as it stands where b / sqrt 2 < 6, and beyond as e^(-a^2 / 2) erfcx(b / sqrt 2) / 2
// (b^2 - a^2 = 4 lambda / mu), which neither overflows nor loses its digits; beyond the mean
// the upper tail there is e^(-a^2 / 2) (erfcx(a / sqrt 2) - erfcx(b / sqrt 2)) / 2, whose
// difference keeps its digits up to x of about 10^9 means.
#include "InvGauss.h"
#include "Moments.h"

#include <cmath>

namespace {
constexpr L RootTwo = 1.414213562373095048801688724209698079L;
constexpr L RootPi = 1.772453850905516027298167483341145183L;

// e^(z^2) erfc(z) for z >= 0: directly below 2, by the continued fraction of erfc beyond
// (modified Lentz, to the extended precision; 79 terms at 2, 19 at 6), whose digits a
// difference of two of them keeps.
L ScaledErfc(L z)
{
    if (z < 2)
        return std::exp(z * z) * std::erfc(z);
    constexpr L Tiny = 1e-4000L;
    L f = z, c = z, d = 0;
    for (int k = 1; k < 100000; ++k) {
        const L a = k / L(2);
        d = z + a * d;
        d = d == 0 ? 1 / Tiny : 1 / d;
        c = z + a / c;
        if (c == 0)
            c = Tiny;
        const L delta = c * d;
        f *= delta;
        if (std::fabs(delta - 1) < 0x1p-64L)
            break;
    }
    return 1 / (RootPi * f);
}

// The parameters, with e^(2 lambda / mu) where that is at most e^36: then E = e^(2 lambda / mu)
// Phi(-b) is formed as it stands wherever b / sqrt 2 < 6 (b / sqrt 2 >= sqrt(2 lambda / mu)
// holds at every x), and one exponential serves every x of a search.
struct TShape {
    L mu, lambda, growth;
};

TShape ShapeOf(const TVector& params)
{
    const L mu = params[0], lambda = params[1], c = 2 * lambda / mu;
    return {mu, lambda, c < 36 ? std::exp(c) : 0};
}

struct TNormalForm {
    L a, b, e;  // E = e^(2 lambda / mu) Phi(-b)
    bool direct;  // b / sqrt 2 < 6: E from erfc itself
};

TNormalForm FormAt(const TShape& s, L x)
{
    const L root = std::sqrt(s.lambda / x);
    TNormalForm f{root * (x / s.mu - 1), root * (x / s.mu + 1), 0, false};
    const L z = f.b / RootTwo;
    f.direct = z < 6;
    f.e = f.direct ? s.growth * std::erfc(z) / 2 : std::exp(-f.a * f.a / 2) * ScaledErfc(z) / 2;
    return f;
}

L Lower(const TShape& s, L x)
{
    const TNormalForm f = FormAt(s, x);
    return NormalLowerTail(f.a) + f.e;
}

// Beyond the mean, Phi(-a) - E loses as many digits as its terms share: formed as it stands
// where that is at most six bits, else from the scaled functions, whose continued fraction
// keeps the digits a difference of them needs (erfc's own, and e^(z^2) of a rounded z^2, hold
// about 2^-59).
L Upper(const TShape& s, L x)
{
    const TNormalForm f = FormAt(s, x);
    if (f.a <= 0)
        return NormalUpperTail(f.a) - f.e;
    if (f.direct) {
        const L head = NormalUpperTail(f.a), rest = head - f.e;
        if (rest >= head / 64)
            return rest;
    }
    return std::exp(-f.a * f.a / 2) * (ScaledErfc(f.a / RootTwo) - ScaledErfc(f.b / RootTwo)) / 2;
}

// The density sqrt(lambda / (2 pi x^3)) e^(-a^2 / 2): one exponential, which underflows to 0
// only where the density lies far below the doubles.
L Density(L mu, L lambda, L x)
{
    if (!(x > 0) || std::isinf(x))
        return 0;
    const L a = std::sqrt(lambda / x) * (x / mu - 1);
    return std::sqrt(lambda / (2 * Pi * x)) / x * std::exp(-a * a / 2);
}

// The x in (0, infinity) where a tail reaches target, from the log-normal law of the same mean
// and variance (mu^3 / lambda).
L Quantile(const TVector& params, bool upper, L target)
{
    const TShape shape = ShapeOf(params);
    const L mu = params[0], spread = std::log1p(mu / params[1]);
    const L z = upper ? NormalUpperQuantile(target) : NormalQuantile(target);
    const L guess = std::exp(std::log(mu) - spread / 2 + std::sqrt(spread) * z);
    // The slope of ln f: -3 / (2x) - lambda / (2 mu^2) + lambda / (2 x^2).
    const L lambda = params[1];
    const auto slope = [&](L x) { return (-3 / x - lambda / (mu * mu) + lambda / (x * x)) / 2; };
    return SolveTail([&](L x) { return x > 0 ? (upper ? Upper(shape, x) : Lower(shape, x)) : L(upper); },
                     [&](L x) { return Density(mu, lambda, x); }, upper, target, 0, HUGE_VALL, guess,
                     0, slope);
}
}  // namespace

double InvGaussDensity(const TVector& params, double x)
{
    return SoundDouble(Density(params[0], params[1], x));
}

L InvGaussLogDensity(const TVector& params, double x)
{
    if (!(x > 0) || std::isinf(x))
        return -HUGE_VALL;
    const L mu = params[0], lambda = params[1], d = x - mu;
    return std::log(lambda / (2 * Pi)) / 2 - 1.5L * std::log(L(x)) - lambda * d * d / (2 * mu * mu * x);
}

double InvGaussDistribution(const TVector& params, double x)
{
    return x > 0 ? SoundProbability(Lower(ShapeOf(params), x)) : 0;
}

double InvGaussUpper(const TVector& params, double x)
{
    return x > 0 ? SoundProbability(Upper(ShapeOf(params), x)) : 1;
}

double InvGaussInverse(const TVector& params, double p)
{
    if (p <= 0 || p >= 1)
        return p <= 0 ? 0 : HUGE_VAL;
    return SoundDouble(p <= 0.5 ? Quantile(params, false, p) : Quantile(params, true, 1 - L(p)));
}

double InvGaussUpperInverse(const TVector& params, double q)
{
    if (q <= 0 || q >= 1)
        return q >= 1 ? 0 : HUGE_VAL;
    return SoundDouble(q <= 0.5 ? Quantile(params, true, q) : Quantile(params, false, 1 - L(q)));
}

// The likelihood's maximum (M. C. K. Tweedie, Ann. Math. Stat. 28, 1957): mu the mean, and
// 1 / lambda the mean of (x - mu)^2 / (mu^2 x), for mu estimated or given.
void InvGaussEstimate(const TSampleMoments& s, const TVector& data, TVector& params,
                      const TParamSet& which)
{
    for (double x : data)
        if (!(x > 0) || std::isinf(x))
            throw TRefusal("the buffer holds values at or below 0");
    if (which[0])
        StoreEstimate(params, 0, s.mean);
    if (which[1]) {
        const L mu = params[0];
        L sum = 0;
        for (double x : data)
            sum += (x - mu) * (x - mu) / (mu * mu * x);
        if (!(sum > 0))
            throw TRefusal("all values are equal");
        StoreEstimate(params, 1, s.n / sum);
    }
}

// The mode mu (sqrt(1 + t^2) - t) with t = 3 mu / (2 lambda), formed as mu / (sqrt(1 + t^2) + t).
TMoments InvGaussMoments(const TVector& params)
{
    const L mu = params[0], lambda = params[1], t = 3 * mu / (2 * lambda);
    return MomentsOf(mu, std::sqrt(mu / lambda) * mu, mu / (std::hypot(L(1), t) + t),
                     3 * std::sqrt(mu / lambda), 15 * mu / lambda);
}
