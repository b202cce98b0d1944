// Bulk generation against the one-at-a-time loop: the same numbers bit for bit, the same
// draws from the uniform source, and the same first error.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <stdexcept>

#include "BulkGeneration.h"
#include "Generators.h"
#include "SimpleRandomLib.h"
#include "GridCache.h"
#include "Stat_Lib.h"

namespace {
bool SameBits(const TVector& a, const TVector& b)
{
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
}

using Generator = std::function<double(TDistKind, const TVector&)>;

TVector OneAtATime(const Generator& g, TDistKind kind, const TVector& params, std::size_t count)
{
    TVector out(count);
    for (double& v : out)
        v = g(kind, params);
    return out;
}

struct Case {
    TGenMethod method;
    TDistKind kind;
    TVector params;
    std::size_t count;
};

Generator GeneratorOf(const Case& c)
{
    if (c.method == TGenMethod::Inverse)
        return GenInverse;
    return c.kind == TDistKind::Chi2 ? GenChi2Sum : GenStudentT;
}
}  // namespace

TEST(BulkGeneration, GivesTheNumbersOfTheOneAtATimeLoop)
{
    const Case cases[] = {
        {TGenMethod::Inverse, TDistKind::NormalStd, {}, 20000},
        {TGenMethod::Inverse, TDistKind::Normal, {3, 2}, 9000},
        {TGenMethod::Inverse, TDistKind::Chi2, {7}, 5000},
        {TGenMethod::Inverse, TDistKind::Beta, {0.5, 2}, 3000},
        {TGenMethod::Inverse, TDistKind::Beta, {2, 5}, 20000},
        {TGenMethod::Inverse, TDistKind::Weibull, {1.5, 2}, 8193},
        {TGenMethod::Inverse, TDistKind::UniformStd, {}, 1},
        {TGenMethod::Inverse, TDistKind::Cauchy, {0, 1}, 0},
        // Where sound methods take over from the grid: the same bits in bulk as one by one.
        {TGenMethod::Inverse, TDistKind::LogNormal, {0, 1e-4}, 3000},
        {TGenMethod::Inverse, TDistKind::Beta, {1, 1}, 3000},
        {TGenMethod::Inverse, TDistKind::Beta, {540, 540}, 500},
        {TGenMethod::Inverse, TDistKind::Cauchy, {5, 1e-4}, 3000},
        {TGenMethod::Inverse, TDistKind::F, {3, 7}, 2000},
        {TGenMethod::Transformation, TDistKind::Chi2, {2.7}, 5000},
        {TGenMethod::Transformation, TDistKind::Chi2, {10}, 3000},
        {TGenMethod::Transformation, TDistKind::Chi2, {0.5}, 100},
        {TGenMethod::Transformation, TDistKind::Student, {5}, 4000},
        {TGenMethod::Transformation, TDistKind::Student, {2.7}, 3001},
        {TGenMethod::Transformation, TDistKind::Student, {0}, 500},
        {TGenMethod::Transformation, TDistKind::Chi2, {9000}, 2},  // one number spans slices
    };
    for (const Case& c : cases) {
        SeedRandom(20261208);
        const TVector expected = OneAtATime(GeneratorOf(c), c.kind, c.params, c.count);
        const double next = RandomUniform();
        for (unsigned threads : {1u, 2u, 3u}) {
            SeedRandom(20261208);
            TBulkGeneration bulk(c.method, c.kind, c.params, c.count, threads);
            bulk.Run();
            EXPECT_TRUE(SameBits(bulk.Result(), expected))
                << KindIndex(c.kind) << " count " << c.count << " threads " << threads;
            EXPECT_EQ(RandomUniform(), next) << KindIndex(c.kind);
        }
    }
}

// The kinds whose halvings are found from a series, in bulk and warm, against the loop of
// plain walks that evaluate every density (the grid cache off): the listed algorithm's bits.
TEST(BulkGeneration, GivesThePlainWalksNumbersWhereHalvingsAreFoundFromASeries)
{
    const Case cases[] = {
        {TGenMethod::Inverse, TDistKind::NormalStd, {}, 400},
        {TGenMethod::Inverse, TDistKind::Normal, {10, 2}, 400},
        {TGenMethod::Inverse, TDistKind::Student, {5}, 200},
        {TGenMethod::Inverse, TDistKind::Chi2, {4}, 150},
        {TGenMethod::Inverse, TDistKind::LogNormal, {0, 1}, 150},
        {TGenMethod::Inverse, TDistKind::Beta, {2, 5}, 200},
        {TGenMethod::Inverse, TDistKind::Beta, {3.5, 40.25}, 150},
        {TGenMethod::Inverse, TDistKind::Cauchy, {0, 1}, 150},
        {TGenMethod::Inverse, TDistKind::F, {5, 8}, 100},
        {TGenMethod::Transformation, TDistKind::Chi2, {4}, 100},
        {TGenMethod::Transformation, TDistKind::Student, {5}, 60},
    };
    for (const Case& c : cases) {
        SeedRandom(20261209);
        TBulkGeneration warm(c.method, c.kind, c.params, 20000, 2);  // the grids grown
        warm.Run();
        SeedRandom(20261209);
        TBulkGeneration bulk(c.method, c.kind, c.params, c.count, 2);
        bulk.Run();
        SeedRandom(20261209);
        simpson::SetGridCacheEnabled(false);
        const TVector plain = OneAtATime(GeneratorOf(c), c.kind, c.params, c.count);
        simpson::SetGridCacheEnabled(true);
        EXPECT_TRUE(SameBits(bulk.Result(), plain)) << KindIndex(c.kind);
    }
}

TEST(BulkGeneration, ProgressAndSlices)
{
    SeedRandom(5);
    TBulkGeneration bulk(TGenMethod::Transformation, TDistKind::Student, {3}, 5000);
    EXPECT_EQ(bulk.Progress(), 0);
    EXPECT_FALSE(bulk.Step());  // 20000 draws take several slices
    EXPECT_GT(bulk.Progress(), 0);
    EXPECT_LE(bulk.Progress(), double(TBulkGeneration::FirstSlice) / 20000);
    bulk.Run();
    EXPECT_TRUE(bulk.Finished());
    EXPECT_EQ(bulk.Progress(), 1);
}

// An extreme-value shape beyond the served range (where the listed formula answers) overflows
// for the lower part of the uniform numbers only.
TEST(BulkGeneration, TheFirstErrorInSequenceIsThrownWithTheDrawsOfTheLoop)
{
    for (double xi : {-1000.0, -2000.0}) {
        const TVector params{0, 1, xi};
        SeedRandom(77);
        std::string expected;
        std::size_t drawn = 0;
        try {
            for (;; ++drawn)
                GenInverse(TDistKind::ExtrValue, params);
        } catch (const EMathError& e) {
            expected = e.what();
        }
        ASSERT_GT(drawn, 0u);
        const double next = RandomUniform();
        for (unsigned threads : {1u, 2u}) {
            SeedRandom(77);
            TBulkGeneration bulk(TGenMethod::Inverse, TDistKind::ExtrValue, params, 100000, threads);
            try {
                bulk.Run();
                ADD_FAILURE() << "no error";
            } catch (const EMathError& e) {
                EXPECT_EQ(e.what(), expected);
            }
            EXPECT_EQ(RandomUniform(), next) << xi << " " << threads;
        }
    }
}
