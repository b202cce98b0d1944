// The Qt-free cores of the goodness-of-fit test, and the heap sort they start from.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <utility>

#include "GoodnessOfFit.h"

namespace {
// The heap sort written on the index permutation itself, straight from its algorithm.
TIntVector ReferenceSortIndex(const TVector& values)
{
    const int n = static_cast<int>(values.size());
    TIntVector index(n);
    for (int i = 0; i < n; ++i)
        index[i] = i;
    const auto sift = [&](int a, int b) {
        while (2 * a + 1 <= b) {
            int c = 2 * a + 1;
            if (c < b && values[index[c]] < values[index[c + 1]])
                c = c + 1;
            if (values[index[a]] >= values[index[c]])
                return;
            std::swap(index[a], index[c]);
            a = c;
        }
    };
    for (int i = (n - 1) / 2; i >= 0; --i)
        sift(i, n - 1);
    for (int e = n - 1; e >= 1; --e) {
        std::swap(index[e], index[0]);
        sift(0, e - 1);
    }
    return index;
}
}  // namespace

// Ties are where heap sorts part: many repeated values, and a NaN among them.
TEST(SortIndex, IsTheHeapSortOfTheIndexes)
{
    std::mt19937 random(8);
    std::uniform_int_distribution<int> few(0, 20);
    for (int n : {1, 2, 7, 100, 5000}) {
        TVector values(n);
        for (double& v : values)
            v = few(random) / 4.0;
        if (n > 10)
            values[n / 3] = std::nan("");
        TIntVector index;
        SortIndex(index, values, n);
        EXPECT_EQ(index, ReferenceSortIndex(values)) << n;
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
    EXPECT_NEAR(FoundAlpha(1, s.R), 0.414216, 1e-6);
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
