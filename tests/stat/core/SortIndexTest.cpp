// The heap sort of an index permutation, and the extremes in its order.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <utility>

#include "Stat_Lib.h"

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

namespace {
bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}
}  // namespace

// The extremes found in one pass are the sort's first and last values, bit for bit: with
// ties, infinities, zeros of either sign or both, and NaNs among them.
TEST(SortIndex, SortedEndsAreTheSortsFirstAndLastValues)
{
    std::mt19937 random(21);
    std::uniform_int_distribution<int> pick(0, 11);
    const double specials[] = {0.0, -0.0, HUGE_VAL, -HUGE_VAL, std::nan(""), 1e308, -5e-324};
    for (int round = 0; round < 400; ++round) {
        const int n = 1 + round % 37;
        TVector values(n);
        for (double& v : values) {
            const int p = pick(random);
            v = p < 7 && round % 3 == 0 ? specials[p] : (p - 5) / 2.0;
        }
        TIntVector order;
        SortIndex(order, values, n);
        double first = 1, last = 1;
        SortedEnds(values, n, first, last);
        EXPECT_TRUE(SameBits(first, values[order.front()])) << round;
        EXPECT_TRUE(SameBits(last, values[order.back()])) << round;
    }
}

TEST(SortIndex, GivesTheAscendingPermutation)
{
    TIntVector index{9, 9, 9, 9};
    SortIndex(index, {3, 1, 2}, 3);
    EXPECT_EQ(index, (TIntVector{1, 2, 0}));
    SortIndex(index, {}, 0);
    EXPECT_TRUE(index.empty());
    SortIndex(index, {5, 5}, 2);
    EXPECT_EQ(index, (TIntVector{1, 0}));
    // Only the first n values take part.
    SortIndex(index, {4, 3, -100}, 2);
    EXPECT_EQ(index, (TIntVector{1, 0}));
}

TEST(SortIndex, OrdersALargeShuffledVector)
{
    TVector values;
    for (int i = 0; i < 1000; ++i)
        values.push_back(std::fmod(i * 7919.0, 1009.0) - 500);
    TIntVector index;
    SortIndex(index, values, 1000);
    for (int i = 1; i < 1000; ++i)
        EXPECT_LE(values[index[i - 1]], values[index[i]]);
}
