// The Qt-free cores of the goodness-of-fit test.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <utility>

#include "GoodnessOfFit.h"
#include "Tolerances.h"

// The category found from the equal widths is the one the plain search of the bounds finds.
TEST(GoodnessOfFit, CategoryOfAgreesWithASearchOfTheBounds)
{
    std::mt19937 random(5);
    std::uniform_real_distribution<double> unit(0, 1);
    const auto search = [](double x, const TVector& bounds) {
        int j = 0;
        while (j < static_cast<int>(bounds.size()) - 1 && !(x <= bounds[j]))
            ++j;
        return j;
    };
    const std::pair<double, double> ranges[] = {{0, 1},      {-3, 7.5},  {1e-300, 3e-300},
                                                {5, 5},      {-1e308, 1e308}, {-HUGE_VAL, 2},
                                                {0.1, 0.1 + 1e-15}};
    for (const auto& [min, max] : ranges)
        for (int k : {1, 2, 3, 10, 150}) {
            const TVector bounds = CategoryBounds(min, max, k);
            std::vector<double> xs = {min, max, std::nan(""), HUGE_VAL, -HUGE_VAL};
            xs.insert(xs.end(), bounds.begin(), bounds.end());
            for (double b : bounds)
                xs.push_back(std::nextafter(b, HUGE_VAL));
            for (int i = 0; i < 300; ++i)
                xs.push_back(min + (max - min) * unit(random));
            for (double x : xs)
                EXPECT_EQ(CategoryOf(x, bounds), search(x, bounds)) << min << " " << max << " " << k << " " << x;
        }
}

TEST(GoodnessOfFit, CategoriesOfEqualWidth)
{
    EXPECT_EQ(CategoryBounds(1, 6, 4), (TVector{2.25, 3.5, 4.75, 6}));
    EXPECT_EQ(CategoryBounds(7, 7, 3), (TVector{7, 7, 7}));
    const TVector bounds{2.25, 3.5, 4.75, 6};
    // A value on a bound belongs to the category it closes; beyond every bound, the last.
    EXPECT_EQ(CategoryOf(1, bounds), 0);
    EXPECT_EQ(CategoryOf(2.25, bounds), 0);
    EXPECT_EQ(CategoryOf(2.2500000000000004, bounds), 1);
    EXPECT_EQ(CategoryOf(6, bounds), 3);
    EXPECT_EQ(CategoryOf(7, bounds), 3);
    EXPECT_EQ(CategoryOf(std::nan(""), bounds), 3);
    EXPECT_EQ(CategoryCounts({1, 2, 3, 4, 5, 6}, bounds), (TVector{2, 1, 1, 2}));
    EXPECT_EQ(CategoryCounts({7, 7, 7}, CategoryBounds(7, 7, 3)), (TVector{3, 0, 0}));
}

TEST(GoodnessOfFit, ExpectedCountsStatisticAndVerdicts)
{
    const TVector bounds{2.25, 3.5, 4.75, 6};
    EXPECT_EQ(ExpectedCounts(TDistKind::Uniform, {1, 6}, bounds, 6), (TVector{1.5, 1.5, 1.5, 1.5}));
    EXPECT_THROW(ExpectedCounts(TDistKind::Normal, {0, 0}, bounds, 6), EMathError);
    const TChiSquareStatistic s = ChiSquareStatistic({2, 1, 1, 2}, {1.5, 1.5, 1.5, 1.5});
    EXPECT_EQ(s.R, 4 * 0.25L / 1.5L);
    EXPECT_EQ(s.empty, 0);
    EXPECT_EQ(AssumptionVerdict(s), std::string("Significantly exceeded"));
    EXPECT_REL(FoundAlpha(1, s.R), 0.414216, tol::Tol10);
    EXPECT_EQ(FoundAlpha(3, 0), 1);
    // Exactly 5 values do not count; q is compared in extended precision.
    EXPECT_EQ(AssumptionVerdict(ChiSquareStatistic({6, 6, 6, 6, 5}, {5, 5, 5, 5, 5})),
              std::string("Slighly crossed"));
    EXPECT_EQ(AssumptionVerdict(ChiSquareStatistic({6, 6, 6, 6, 6}, {5, 5, 5, 5, 5})),
              std::string("Satisfied"));
    TVector observed(20, 0), expected(20, 1);
    for (int i = 0; i < 9; ++i)
        observed[i] = 6;
    EXPECT_EQ(AssumptionVerdict(ChiSquareStatistic(observed, expected)),
              std::string("Significantly exceeded"));
    observed[9] = 6;
    EXPECT_EQ(AssumptionVerdict(ChiSquareStatistic(observed, expected)),
              std::string("Slighly crossed"));
    const TChiSquareStatistic empty = ChiSquareStatistic({9, 9, 9}, {9, 0, -0.0});
    EXPECT_EQ(empty.empty, 2);
    EXPECT_EQ(AssumptionVerdict(empty), std::string("Roughly violated"));
}

// The whole test as the window shows it: the worked example keeps its listed texts.
TEST(ChiSquareFitTest, TheWorkedExample)
{
    const TFitResult r = ChiSquareFitTest({1, 2, 3, 4, 5, 6}, TDistKind::Uniform, {1, 6}, 2, 4);
    EXPECT_EQ(r.bounds, (TVector{2.25, 3.5, 4.75, 6}));
    EXPECT_EQ(r.observed, (TVector{2, 1, 1, 2}));
    EXPECT_EQ(r.expected, (TVector{1.5, 1.5, 1.5, 1.5}));
    EXPECT_EQ(r.categories, 4);
    EXPECT_EQ(r.empty, 0);
    EXPECT_EQ(r.df, 1);
    EXPECT_FALSE(r.fatal);
    EXPECT_EQ(r.verdict, "Significantly exceeded");
    EXPECT_EQ(r.details, "Rstat = 0.666666666666667; N=4;Np=2;Rcrit(0.05)=3.841459");
    EXPECT_EQ(FitDetails(r, 2, ','), "Rstat = 0,666666666666667; N=4;Np=2;Rcrit(0.05)=3,841459");
    EXPECT_REL(r.alpha, 0.414216, tol::Tol10);
    EXPECT_FALSE(r.rejected);
}

// The last category expects the probability above the largest value too, so the
// expectations sum to N (they fell short by N times that tail).
TEST(ChiSquareFitTest, TheLastCategoryTakesTheUpperTail)
{
    const TVector data{-1, -0.5, 0, 0.2, 0.4, 1};
    const TFitResult r = ChiSquareFitTest(data, TDistKind::Normal, {0, 1}, 0, 3);
    double sum = 0;
    for (double e : r.expected)
        sum += e;
    EXPECT_REL(sum, 6, tol::Tol0);
    const double below = DistEval(TDistKind::Normal, TDistFunc::Distribution, {0, 1}, r.bounds[1]);
    EXPECT_EQ(r.expected[2], (1 - below) * 6);
    EXPECT_EQ(r.expected[0], DistEval(TDistKind::Normal, TDistFunc::Distribution, {0, 1}, r.bounds[0]) * 6);
}

// The merging step on its own: the outermost scant category first, into its neighbour toward
// the centre, observed counts along; a middle one into its fuller neighbour; an expectation of
// 0 is no scant one; a single category stays.
TEST(GoodnessOfFit, MergeScantJoinsOutermostFirstTowardTheCentre)
{
    TVector observed{1, 2, 3, 4, 5}, expected{0.5, 3, 0.4, 2, 0.3};
    MergeScant(observed, expected);
    // 0.5 (left end) and 0.3 (right end) are as far out: the left goes first, into 3; then
    // 0.3 into 2; then the middle 0.4 of three into its fuller neighbour, 3.5.
    EXPECT_EQ(expected, (TVector{3.9, 2.3}));
    EXPECT_EQ(observed, (TVector{6, 9}));

    TVector o2{0, 7, 1}, e2{0, 6, 0.9};
    MergeScant(o2, e2);
    EXPECT_EQ(e2, (TVector{0, 6.9}));
    EXPECT_EQ(o2, (TVector{0, 8}));

    TVector o3{2}, e3{0.2};
    MergeScant(o3, e3);
    EXPECT_EQ(e3, (TVector{0.2}));
    TVector o4{1, 1, 1}, e4{1, 1, 1};
    MergeScant(o4, e4);
    EXPECT_EQ(e4.size(), 3u);
}

// Categories that expect less than one value are merged toward the centre, the outermost
// first, until each expects at least one; the statistic, d and "N=" follow the merged ones.
TEST(ChiSquareFitTest, ScantCategoriesAreMergedTowardTheCentre)
{
    // Ten categories expecting 0.6 each merge into five expecting 1.2: observed 1, 1, 0, 1,
    // 0, 1, 0, 1, 0, 1 become 2, 1, 1, 1, 1.
    const TFitResult r = ChiSquareFitTest({1, 2, 3, 4, 5, 6}, TDistKind::Uniform, {1, 6}, 2, 10);
    EXPECT_EQ(r.observed, (TVector{1, 1, 0, 1, 0, 1, 0, 1, 0, 1}));  // the histogram keeps ten
    EXPECT_EQ(r.categories, 5);
    EXPECT_REL(static_cast<double>(r.R), (0.8 * 0.8 + 4 * 0.2 * 0.2) / 1.2, tol::Tol1);
    EXPECT_EQ(r.df, 2);
    EXPECT_EQ(r.details.substr(r.details.find("; N=")), "; N=5;Np=2;Rcrit(0.05)=5.991465");

    // A normal sample with one far value: its category expected about 0.02 values and added
    // about 48 to the statistic on its own, rejecting a true hypothesis.
    TVector sample;
    for (int i = 0; i < 400; ++i)
        sample.push_back(DistEval(TDistKind::NormalStd, TDistFunc::Inverse, {}, (i + 0.5) / 400));
    sample.push_back(4.2);
    const TFitResult far = ChiSquareFitTest(sample, TDistKind::Normal, {0, 1}, 0, 20);
    EXPECT_LT(far.categories, 20);
    EXPECT_FALSE(far.rejected) << far.details;
}

// Categories with no expectation at all keep their listed treatment: counted in e.
TEST(ChiSquareFitTest, ZeroExpectationsStayEmptyCategories)
{
    const TFitResult r = ChiSquareFitTest({1, 2, 3, 4, 5, 6}, TDistKind::Uniform, {1, 3.5}, 0, 10);
    EXPECT_EQ(r.categories, 10);
    EXPECT_EQ(r.empty, 5);
    EXPECT_EQ(r.df, 4);
    EXPECT_EQ(r.verdict, "Roughly violated");
    const TFitResult fatal = ChiSquareFitTest({7, 7, 7}, TDistKind::Uniform, {7, 7}, 2, 3);
    EXPECT_TRUE(fatal.fatal);
    EXPECT_EQ(fatal.verdict, "fatally not satisfied");
    EXPECT_EQ(fatal.details, "3 categories leave no degree of freedom for 2 estimates and 2 empty categories");
    // The fitting tab's first count: three categories for a two-parameter hypothesis on
    // "Auto" left no degree of freedom, and the details say so.
    TVector normal;
    for (int i = 1; i <= 500; ++i)
        normal.push_back(DistEval(TDistKind::NormalStd, TDistFunc::Inverse, {}, i / 501.0));
    const TFitResult three = ChiSquareFitTest(normal, TDistKind::Normal, {0, 1}, 2, 3);
    EXPECT_EQ(three.details, "3 categories leave no degree of freedom for 2 estimates");
    const TFitResult none = ChiSquareFitTest(normal, TDistKind::Normal, {0, 1}, 0, 1);
    EXPECT_EQ(none.details, "1 category leaves no degree of freedom");
}

TEST(ChiSquareFitTest, DefaultCategoryCountFollowsTheSampleAndLeavesTwoDegrees)
{
    EXPECT_EQ(DefaultCategoryCount(0, 0), 3);
    EXPECT_EQ(DefaultCategoryCount(10, 2), 5);     // 2 10^0.4 = 5.02, and 2 + 3
    EXPECT_EQ(DefaultCategoryCount(20, 5), 8);     // 6.63 rounds to 7, below 5 + 3
    EXPECT_EQ(DefaultCategoryCount(500, 2), 24);   // 24.02
    EXPECT_EQ(DefaultCategoryCount(100000000, 0), 150);
}

// Against numpy and scipy: mean, std(ddof=1), quantile (linear), skew and kurtosis with
// bias=False.
TEST(Description, TheBuffersDescriptionAgreesWithScipy)
{
    const TDescription d = Describe({2.5, 1, 7, 3.25, 9, 4, 4, 0.5, 12, 6});
    EXPECT_EQ(d.n, 10u);
    EXPECT_NEAR(d.mean, 4.925, 1e-15);
    EXPECT_NEAR(d.sd, 3.613343327169451, 1e-14);
    EXPECT_EQ(d.min, 0.5);
    EXPECT_EQ(d.max, 12);
    EXPECT_NEAR(d.q1, 2.6875, 1e-15);
    EXPECT_EQ(d.median, 4);
    EXPECT_NEAR(d.q3, 6.75, 1e-15);
    EXPECT_NEAR(d.skewness, 0.7782021650983068, 1e-14);
    EXPECT_NEAR(d.kurtosis, 0.09816434086946924, 1e-14);
    // Too few values for a moment: NaN, never a number made up.
    const TDescription one = Describe({3});
    EXPECT_EQ(one.median, 3);
    EXPECT_TRUE(std::isnan(one.sd) && std::isnan(one.skewness) && std::isnan(one.kurtosis));
    EXPECT_TRUE(std::isnan(Describe({}).mean));
    EXPECT_TRUE(std::isnan(Describe({2, 2, 2, 2}).skewness));
}
