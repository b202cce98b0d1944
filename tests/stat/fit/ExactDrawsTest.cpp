// The bootstraps' exact draws of the laws whose quantile is a search: 20,000 numbers of each,
// at ordinary parameters and at the ends of their ranges (shapes far below and above 1, where
// the gamma construction changes; an inverse Gaussian whose root nearly cancels), follow the
// kind's own distribution by Kolmogorov-Smirnov's and Anderson-Darling's statistics.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "Bootstrap.h"
#include "Fit_Lib.h"

namespace {
struct DrawCase {
    TDistKind kind;
    TVector params;
};

std::string Named(const DrawCase& c)
{
    std::string name = DistKindName[KindIndex(c.kind)];
    for (double p : c.params)
        name.append(1, ' ').append(std::to_string(p));
    return name;
}
}  // namespace

TEST(ExactDraws, FollowTheirLawsAtTheEndsOfTheirRanges)
{
    using K = TDistKind;
    const DrawCase cases[] = {
        {K::Gamma, {0.05, 2}},     {K::Gamma, {0.7, 1}},        {K::Gamma, {1, 3}},
        {K::Gamma, {2.5, 0.1}},    {K::Gamma, {4e5, 1}},        {K::Gamma3, {1.5, 2, -10}},
        {K::Chi2, {1}},            {K::Chi2, {3}},              {K::Chi2, {1000}},
        {K::Student, {1}},         {K::Student, {5}},           {K::Student, {1000}},
        {K::F, {1, 1}},            {K::F, {5, 8}},              {K::F, {300, 2}},
        {K::Beta, {0.1, 2}}  ,     {K::Beta, {2, 5}},           {K::Beta, {500, 0.5}},
        {K::InvGauss, {1, 1e-3}},  {K::InvGauss, {1, 2}},       {K::InvGauss, {5, 1e4}},
    };
    constexpr std::size_t N = 20000;
    std::uint64_t seed = 7;
    for (const DrawCase& c : cases) {
        std::mt19937 twister = ReplicateTwister(seed++, 0);
        TVector x(N);
        ASSERT_TRUE(DrawExactly(c.kind, c.params, x, twister)) << Named(c);
        std::sort(x.begin(), x.end());
        TVector u(N);
        for (std::size_t i = 0; i < N; ++i)
            u[i] = DistEval(c.kind, TDistFunc::Distribution, c.params, x[i]);
        double d = 0, a2 = 0;
        for (std::size_t i = 0; i < N; ++i) {
            d = std::max({d, (i + 1.0) / N - u[i], u[i] - double(i) / N});
            a2 += (2 * i + 1.0) * (std::log(u[i]) + std::log1p(-u[N - 1 - i]));
        }
        a2 = -double(N) - a2 / N;
        // p about 1e-4 under the law for either statistic
        EXPECT_LT(std::sqrt(double(N)) * d, 2.2) << Named(c);
        EXPECT_LT(a2, 7.0) << Named(c);
    }
}

// The other kinds are drawn by their quantiles: DrawExactly leaves them alone.
TEST(ExactDraws, OnlyTheKindsWhoseQuantileIsASearch)
{
    std::mt19937 twister = ReplicateTwister(1, 0);
    TVector x(3, 0.5);
    EXPECT_FALSE(DrawExactly(TDistKind::Normal, {0, 1}, x, twister));
    EXPECT_FALSE(DrawExactly(TDistKind::Weibull3, {1, 2, 3}, x, twister));
    EXPECT_EQ(x, TVector(3, 0.5));
}
