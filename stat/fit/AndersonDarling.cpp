// The Anderson-Darling test: its statistic from the sample's probabilities, and the upper tail
// of its law for a hypothesis with every parameter given.
#include <cmath>

#include "StatInternal.h"

double AndersonDarlingStatistic(const TEdfSample& sample)
{
    const std::size_t n = sample.lower.size();
    if (n == 0)
        return 0;
    // Value i (from 0) weighs ln F(x_i) by 2i + 1 and ln S(x_i) by 2(n - i) - 1: the sum of
    // (2i - 1)(ln F(x_i) + ln S(x_n+1-i)) over i from 1, rearranged.
    L sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double f = sample.lower[i], s = sample.upper[i];
        if (!(f > 0) || !(s > 0))
            return HUGE_VAL;  // a value where the hypothesis has no probability on one side
        sum += (2 * L(i) + 1) * std::log(L(f)) + (2 * L(n - i) - 1) * std::log(L(s));
    }
    return static_cast<double>(-L(n) - sum / n);
}

namespace {
// The exponent of Marsaglia and Marsaglia's fit of the limiting distribution for z >= 2:
// there the distribution is exp(-e^g(z)), and its upper tail -expm1(-e^g(z)).
L UpperFitExponent(L z)
{
    return std::exp(1.0776L -
                    (2.30695L - (.43424L - (.082433L - (.008056L - .0003146L * z) * z) * z) * z) * z);
}

// The limiting distribution function of A2 (Marsaglia and Marsaglia's two fits, absolute
// error below 2e-6).
L LimitDistribution(L z)
{
    if (z < 2)
        return std::exp(-1.2337141L / z) / std::sqrt(z) *
               (2.00012L +
                (.247105L - (.0649821L - (.0347962L - (.011672L - .00168691L * z) * z) * z) * z) * z);
    return std::exp(-UpperFitExponent(z));
}

// Their correction of the limit for n values, as a function of the limit's value x.
L FiniteCorrection(std::size_t count, L x)
{
    const L n = count;
    if (x > .8L)
        return (-130.2137L + (745.2337L - (1705.091L - (1950.646L - (1116.360L - 255.7844L * x) * x) * x) * x) * x) / n;
    const L c = .01265L + .1757L / n;
    if (x < c) {
        const L t = x / c;
        return std::sqrt(t) * (1 - t) * (49 * t - 102) * (.0037L / (n * n) + .00078L / n + .00006L) / n;
    }
    const L t = (x - c) / (.8L - c);
    return (-.00022633L + (6.54034L - (14.6538L - (14.458L - (8.259L - 1.91864L * t) * t) * t) * t) * t) *
           (.04213L / n + .01365L / n / n);
}
// Far in the tail: the fit's upper tail -expm1(-e^(...)), formed without the cancellation of
// 1 - x, up to z = 8, where the fit is still within 1e-6; beyond, the limit's own tail, that of
// the largest term of its weighted chi-square sum, sqrt(3) erfc(sqrt(z)) (the weights are
// 1 / (j (j + 1)), and the product of (1 - 2 / (j (j + 1)))^(-1/2) over j from 2 is sqrt(3)),
// joined to the fit at 8. The correction for n, a fit of absolute size, is kept only while it
// is small beside the tail.
L FarTail(std::size_t n, L z)
{
    constexpr L Join = 8;
    const auto fitted = [n](L at) {
        const L tail = -std::expm1(-UpperFitExponent(at));
        const L correction = FiniteCorrection(n, LimitDistribution(at));
        return std::fabs(correction) < tail / 10 ? tail - correction : tail;
    };
    if (z <= Join)
        return fitted(z);
    return fitted(Join) * (std::erfc(std::sqrt(z)) / std::erfc(std::sqrt(Join)));
}
}  // namespace

double AndersonDarlingTypedP(std::size_t n, double a2)
{
    if (std::isnan(a2) || n == 0)
        return HUGE_VAL - HUGE_VAL;
    if (a2 <= 0)
        return 1;
    if (a2 == HUGE_VAL)
        return 0;
    const L z = a2;
    const L x = LimitDistribution(z);
    const L p = 1 - (x + FiniteCorrection(n, x));
    if (z >= 2 && p < 0.01L)
        return static_cast<double>(FarTail(n, z));
    return static_cast<double>(std::min<L>(1, std::max<L>(0, p)));
}
