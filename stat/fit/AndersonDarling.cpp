// The Anderson-Darling test: its statistic from the sample's probabilities, and the upper tail
// of its law for a hypothesis with every parameter given.
#include <algorithm>
#include <cmath>
#include <iterator>

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
// The limiting distribution function of A2 (Marsaglia and Marsaglia's two fits; within 2e-6
// below z = 2, 8e-6 at 2.5).
L LimitDistribution(L z)
{
    if (z < 2)
        return std::exp(-1.2337141L / z) / std::sqrt(z) *
               (2.00012L +
                (.247105L - (.0649821L - (.0347962L - (.011672L - .00168691L * z) * z) * z) * z) * z);
    return std::exp(-std::exp(1.0776L -
                              (2.30695L - (.43424L - (.082433L - (.008056L - .0003146L * z) * z) * z) * z) * z));
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
// The upper tail of the limiting law at z = 2, 2.5, ..., 12, by Anderson and Darling's series
// in 30 digits (scripts/ad_limit_tail.py), which Imhof's inversion of the law's characteristic
// function confirms to 1e-12. Marsaglia and Marsaglia's fit is 1.7e-4 off at 2.5 and 2.3 %
// at 8.
constexpr double LimitTailFrom = 2, LimitTailStep = 0.5;
constexpr L LimitTailTable[] = {
    0.091836774941252117L, 0.049541134376124512L, 0.027364788334026359L, 0.01535892174724759L,
    0.0087181869139132869L, 0.0049900264598728434L, 0.0028744213045860724L, 0.0016641608031675808L,
    0.00096745194152092292L, 0.00056435419403097326L, 0.0003301668020420604L, 0.00019364027794637013L,
    0.00011381415572658301L, 6.7022356522935688e-5L, 3.9534011387515004e-5L, 2.3354501036801416e-5L,
    1.3815035410685864e-5L, 8.1819764041346062e-6L, 4.8511019681729896e-6L, 2.879096834899684e-6L,
    1.7102869993221187e-6L};

// The limit's upper tail from z = 2: the table, its logarithm interpolated by cubics; beyond
// it, the tail of the largest term of the law's weighted chi-square sum, erfc(sqrt(z)) (the
// weights are 1 / (j (j + 1))), joined to the table's end.
L LimitTail(L z)
{
    constexpr int Last = static_cast<int>(std::size(LimitTailTable)) - 1;
    const L at = (z - LimitTailFrom) / LimitTailStep;
    if (at >= Last)
        return LimitTailTable[Last] * (std::erfc(std::sqrt(z)) / std::erfc(std::sqrt(L(12))));
    const int first = std::clamp(static_cast<int>(at) - 1, 0, Last - 3);
    L logTail = 0;
    for (int i = 0; i < 4; ++i) {
        L weight = 1;
        for (int j = 0; j < 4; ++j)
            if (j != i)
                weight *= (at - (first + j)) / L(i - j);
        logTail += weight * std::log(LimitTailTable[first + i]);
    }
    return std::exp(logTail);
}

// The small-sample law from z = 2: the limit's tail times exp(sum c[j][i] z^i / n^(j+1)), the
// correction fitted by weighted least squares (scripts/ad_small_sample_fit.py) to the tails of
// A2 in simulated uniform samples of n = 5 to 200, 10^8 of each n up to 20
// (bench/AndersonDarlingLaw.cpp; its output in bench/data/ad_law_trial.txt); within 2.5 % of
// every simulated tail down to 1e-4 at its noise's twice (chi-square 1.21 a degree of freedom).
// Beyond z = 10, where the simulations end, the correction stays as it is at 10.
constexpr L SmallSample[2][4] = {
    {-0.4134028801664197L, 0.32117815350661183L, -0.029019482029402965L, 0.001557684791342162L},
    {0.057544241192451634L, 0.049356392545187734L, -0.03390174204423032L, 0.0027217298449667L},
};

L SmallSampleTail(std::size_t count, L z)
{
    const L n = count, at = std::min<L>(z, 10);
    L exponent = 0;
    for (int j = 0; j < 2; ++j) {
        const L c = SmallSample[j][0] + at * (SmallSample[j][1] + at * (SmallSample[j][2] +
                                                                         at * SmallSample[j][3]));
        exponent += c / (j == 0 ? n : n * n);
    }
    return LimitTail(z) * std::exp(exponent);
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
    const auto marsaglia = [n](L at) {
        const L x = LimitDistribution(at);
        return std::min<L>(1, std::max<L>(0, 1 - (x + FiniteCorrection(n, x))));
    };
    // Below 2, Marsaglia and Marsaglia's law, within 0.1 % of the simulated tails; above 2.5,
    // the small-sample law; between, the one turns into the other geometrically.
    constexpr L Join = 2, JoinEnd = 2.5;
    if (z < Join)
        return static_cast<double>(marsaglia(z));
    const L tail = SmallSampleTail(n, z);
    if (z >= JoinEnd)
        return static_cast<double>(tail);
    const L w = (z - Join) / (JoinEnd - Join);
    return static_cast<double>(std::exp((1 - w) * std::log(marsaglia(z)) + w * std::log(tail)));
}
