// The bootstraps' samples of the laws whose quantile is a search (Gamma and its threshold
// variant, chi-square, Student, F, Beta, the inverse Gaussian): drawn exactly in law by their
// constructions from normal and gamma variables, a few twister outputs each, in place of a
// quantile search at every uniform number (twenty to thirty times the work).
//   A normal: Marsaglia's polar method, both of each pair used.
//   Gamma(k, 1): Marsaglia and Tsang (ACM Trans. Math. Softw. 26, 2000) for k >= 1; below,
//   Gamma(k + 1) U^(1/k), in logarithms, which keep the smallest values of a small k.
//   Chi2(N) = 2 Gamma(N/2); Student(N) = Z / sqrt(Gamma(N/2) / (N/2));
//   F(N, M) = (Gamma(N/2) / (N/2)) / (Gamma(M/2) / (M/2)); Beta = G1 / (G1 + G2);
//   the inverse Gaussian by Michael, Schucany and Haas (Amer. Statist. 30, 1976), its smaller
//   root in the form without cancellation.
#include "Bootstrap.h"

#include <cmath>

namespace {
class TSource {
public:
    explicit TSource(std::mt19937& twister) : twister_(twister) {}

    double Uniform() { return OpenUniform(twister_); }

    double Normal()
    {
        if (spare_) {
            spare_ = false;
            return next_;
        }
        double a, b, s;
        do {
            a = 2 * Uniform() - 1;
            b = 2 * Uniform() - 1;
            s = a * a + b * b;
        } while (!(s < 1 && s > 0));
        const double f = std::sqrt(-2 * std::log(s) / s);
        next_ = b * f;
        spare_ = true;
        return a * f;
    }

    // ln of a Gamma(k, 1) number.
    double LogGamma(double k)
    {
        if (k < 1)
            return LogGamma(k + 1) + std::log(Uniform()) / k;
        return std::log(Gamma(k));
    }

    // A Gamma(k, 1) number, k >= 1.
    double Gamma(double k)
    {
        const double d = k - 1.0 / 3, c = 1 / std::sqrt(9 * d);
        for (;;) {
            const double z = Normal(), t = 1 + c * z;
            if (!(t > 0))
                continue;
            const double v = t * t * t, u = Uniform(), zz = z * z;
            if (u < 1 - 0.0331 * zz * zz || std::log(u) < zz / 2 + d * (1 - v + std::log(v)))
                return d * v;
        }
    }

    // A Gamma(k, 1) number of any k > 0.
    double AnyGamma(double k) { return k >= 1 ? Gamma(k) : std::exp(LogGamma(k)); }

private:
    std::mt19937& twister_;
    bool spare_ = false;
    double next_ = 0;
};

double InverseGaussian(TSource& source, double mu, double lambda)
{
    const double z = source.Normal();
    const double a = mu * (z * z) / (2 * lambda);
    // mu (1 + a - sqrt(a^2 + 2a)), the smaller root, as mu / (1 + a + sqrt(a^2 + 2a)).
    const double x = mu / (1 + a + std::sqrt(a) * std::sqrt(a + 2));
    return source.Uniform() * (mu + x) <= mu ? x : mu * (mu / x);
}
}  // namespace

bool DrawExactly(TDistKind kind, const TVector& params, TVector& sample, std::mt19937& twister)
{
    TSource source(twister);
    switch (kind) {
    case TDistKind::Gamma:
        for (double& x : sample)
            x = params[1] * source.AnyGamma(params[0]);
        return true;
    case TDistKind::Gamma3:
        for (double& x : sample)
            x = params[2] + params[1] * source.AnyGamma(params[0]);
        return true;
    case TDistKind::Chi2:
        for (double& x : sample)
            x = 2 * source.AnyGamma(params[0] / 2);
        return true;
    case TDistKind::Student: {
        const double half = params[0] / 2, logHalf = std::log(half);
        for (double& x : sample)
            x = source.Normal() * std::exp((logHalf - source.LogGamma(half)) / 2);
        return true;
    }
    case TDistKind::F: {
        const double n = params[0] / 2, m = params[1] / 2, scale = std::log(m) - std::log(n);
        for (double& x : sample) {
            const double top = source.LogGamma(n);
            x = std::exp(top - source.LogGamma(m) + scale);
        }
        return true;
    }
    case TDistKind::Beta:
        for (double& x : sample) {
            // G1 / (G1 + G2) from t = ln G2 - ln G1, by the exponential that cannot overflow
            const double g1 = source.LogGamma(params[0]), t = source.LogGamma(params[1]) - g1;
            x = t <= 0 ? 1 / (1 + std::exp(t)) : std::exp(-t) / (1 + std::exp(-t));
        }
        return true;
    case TDistKind::InvGauss:
        for (double& x : sample)
            x = InverseGaussian(source, params[0], params[1]);
        return true;
    default:
        return false;
    }
}
