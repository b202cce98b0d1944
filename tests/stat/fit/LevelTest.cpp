// The fitting test holds its level on true hypotheses with the estimates the window makes, and
// the refit to the categories is their grouped likelihood's maximum.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

#include "Fit_Lib.h"

namespace {
TParamSet All()
{
    TParamSet s;
    s.set(0);
    s.set(1);
    s.set(2);
    return s;
}

// The likelihood of the categories' counts, from the library's distribution.
double GroupedLogLikelihood(const TVector& data, TDistKind kind, const TVector& params, int k)
{
    double min = 0, max = 0;
    SortedEnds(data, static_cast<int>(data.size()), min, max);
    const TVector bounds = CategoryBounds(min, max, k);
    const TVector observed = CategoryCounts(data, bounds);
    double sum = 0, before = 0;
    for (std::size_t i = 0; i < bounds.size(); ++i) {
        const double cdf = i + 1 == bounds.size() ? 1 : DistEval(kind, TDistFunc::Distribution, params, bounds[i]);
        if (observed[i] > 0)
            sum += observed[i] * std::log(cdf - before);
        before = cdf;
    }
    return sum;
}

TVector Draw(std::mt19937_64& g, const std::function<double(std::mt19937_64&)>& law, int n)
{
    TVector sample(static_cast<std::size_t>(n));
    for (double& x : sample)
        x = law(g);
    return sample;
}
}  // namespace

TEST(RefitToCategories, ReachesTheGroupedLikelihoodsMaximum)
{
    std::mt19937_64 g(3);
    const TVector sample = Draw(g, std::weibull_distribution<double>(1.5, 3), 2000);
    TVector raw{1, 1};
    ASSERT_TRUE(EstimateParams(TDistKind::Weibull, sample, raw, All()));
    TVector refitted = raw;
    ASSERT_TRUE(RefitToCategories(sample, TDistKind::Weibull, refitted, All(), 20));
    const double top = GroupedLogLikelihood(sample, TDistKind::Weibull, refitted, 20);
    EXPECT_GT(top, GroupedLogLikelihood(sample, TDistKind::Weibull, raw, 20));
    for (int i = 0; i < 2; ++i)
        for (double step : {-1e-3, 1e-3}) {
            TVector moved = refitted;
            moved[i] *= 1 + step;
            EXPECT_LT(GroupedLogLikelihood(sample, TDistKind::Weibull, moved, 20), top) << i << step;
        }
    // Near the raw estimates where the categories are fine against the law.
    EXPECT_NEAR(refitted[0], raw[0], 0.05 * raw[0]);
    EXPECT_NEAR(refitted[1], raw[1], 0.05 * raw[1]);
}

TEST(RefitToCategories, LeavesWhatUsesUpNoFreedom)
{
    const TVector data{1.5, 2.5, 3.5, 7, 4, 2};
    // The uniform's ends and whole degrees of freedom stay as they were, bit for bit; so do
    // typed parameters.
    for (const auto& [kind, params] : {std::pair<TDistKind, TVector>{TDistKind::Uniform, {1.5, 7}},
                                       {TDistKind::F, {3, 9}}, {TDistKind::Chi2, {4}}}) {
        TVector p = params;
        EXPECT_TRUE(RefitToCategories(data, kind, p, All(), 5));
        EXPECT_EQ(p, params);
    }
    TVector typed{2, 1};
    EXPECT_TRUE(RefitToCategories(data, TDistKind::Normal, typed, TParamSet(), 5));
    EXPECT_EQ(typed, (TVector{2, 1}));
    // Pareto: the minimum stays, alpha is refitted.
    TVector pareto{1.5, 2};
    ASSERT_TRUE(RefitToCategories(data, TDistKind::Pareto, pareto, All(), 5));
    EXPECT_EQ(pareto[0], 1.5);
    EXPECT_NE(pareto[1], 2);
}

// 120 true samples of 1000 numbers each, tested with 20 categories as the window tests them:
// the rejections at 5 % stay near 6 (Chi2(200) was rejected about 80 times with its moment
// estimate, the uniform 15 times with its two ends taken as two degrees of freedom; the
// Weibull and extreme-value laws had no estimate).
TEST(FittingLevel, TrueHypothesesOnAutoAreRejectedAboutOnceInTwenty)
{
    std::mt19937_64 g(20261209);
    std::exponential_distribution<double> exponential(1);
    const struct {
        TDistKind kind;
        int params;
        std::function<double(std::mt19937_64&)> law;
    } kinds[] = {
        {TDistKind::Chi2, 1, std::chi_squared_distribution<double>(200)},
        {TDistKind::Uniform, 2, std::uniform_real_distribution<double>(-2, 5)},
        {TDistKind::Weibull, 2, std::weibull_distribution<double>(1.5, 3)},
        {TDistKind::ExtrValue, 3,
         [&](std::mt19937_64& r) { return 5 + 2 * std::expm1(-0.2 * std::log(exponential(r))) / 0.2; }},
    };
    constexpr int Samples = 120;
    for (const auto& k : kinds) {
        int rejected = 0, ran = 0;
        for (int s = 0; s < Samples; ++s) {
            const TVector sample = Draw(g, k.law, 1000);
            TVector params(static_cast<std::size_t>(k.params), 1);
            ASSERT_TRUE(EstimateParams(k.kind, sample, params, All()));
            ASSERT_TRUE(RefitToCategories(sample, k.kind, params, All(), 20));
            const TFitResult r = ChiSquareFitTest(sample, k.kind, params, DistFreedomUsed(k.kind, All()), 20);
            ran += !r.fatal;
            rejected += r.rejected;
        }
        EXPECT_EQ(ran, Samples) << KindIndex(k.kind);
        EXPECT_LE(rejected, Samples * 12 / 100) << KindIndex(k.kind);
    }
}
