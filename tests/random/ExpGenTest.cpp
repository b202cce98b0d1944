#include <gtest/gtest.h>

#include <cmath>
#include <chrono>
#include <cstring>
#include <thread>

#include "ExpGenLib.h"
#include "Generators.h"
#include "SimpleRandomLib.h"

namespace {
// Runs the generator thread the way the dialog does.
TVector Generate(std::int32_t count, TDistKind kind, const TVector& params, int* passes = nullptr)
{
    TVector output(count);
    TExpGen gen(output, count, kind, params);
    gen.Resume();
    gen.WaitFor();
    if (passes)
        *passes = gen.Passes();
    return output;
}

// Chi-square distance of a sample's histogram from the expected counts, with the
// generator's own categories (equal widths between the sample's minimum and maximum).
double Distance(const TVector& sample, TDistKind kind, const TVector& params, int K)
{
    const double lo = *std::min_element(sample.begin(), sample.end());
    const double hi = *std::max_element(sample.begin(), sample.end());
    std::vector<double> counts(K);
    for (double x : sample)
        counts[std::min(K - 1, static_cast<int>((x - lo) / (hi - lo) * K))] += 1;
    double d = 0, below = 0;
    for (int j = 0; j < K; ++j) {
        const double upper = DistEval(kind, TDistFunc::Distribution, params, lo + (hi - lo) * (j + 1) / K);
        const double e = (upper - below) * sample.size();
        below = upper;
        d += (counts[j] - e) * (counts[j] - e) / e;
    }
    return d;
}
}  // namespace

TEST(ExpGen, CategoryCountDependsOnTheSampleSize)
{
    const std::pair<int, int> table[] = {{1, 3},   {50, 3},   {51, 5},    {100, 5},  {101, 7},
                                         {350, 7}, {351, 11}, {1000, 11}, {1001, 15}, {32000, 15}};
    for (const auto& [count, k] : table)
        EXPECT_EQ(ExpGenCategoryCount(count), k) << count;
}

TEST(ExpGen, SingleValueIsDrawnTwiceInOnePass)
{
    SeedRandom(99);
    int passes = 0;
    const TVector out = Generate(1, TDistKind::UniformStd, {}, &passes);
    const double afterRun = RandomUniform();
    EXPECT_EQ(passes, 1);
    // Draws: the value, then the target, the position and the new value of one redraw.
    SeedRandom(99);
    double draws[5];
    for (double& d : draws)
        d = RandomUniform();
    EXPECT_EQ(out[0], draws[3]);
    EXPECT_EQ(afterRun, draws[4]);
}

TEST(ExpGen, StopsAfterThirteenPassesEvenWhenTheExcessStaysLarge)
{
    // A negative standard deviation makes the expected counts negative: the excess never
    // falls below the number of categories.
    SeedRandom(5);
    int passes = 0;
    Generate(60, TDistKind::Normal, {0, -1}, &passes);
    EXPECT_EQ(passes, ExpGenMaxPasses);
}

TEST(ExpGen, CorrectedHistogramIsCloserThanThePlainInverseSample)
{
    for (const auto& [kind, params] : {std::pair{TDistKind::Normal, TVector{1, 2}},
                                       {TDistKind::Exponential, TVector{0.5}},
                                       {TDistKind::Logistic, TVector{0, 1}}}) {
        const std::uint32_t seed = 4242;
        SeedRandom(seed);
        TVector plain(2000);
        for (double& x : plain)
            x = GenInverse(kind, params);
        SeedRandom(seed);
        int passes = 0;
        const TVector corrected = Generate(2000, kind, params, &passes);
        EXPECT_LT(Distance(corrected, kind, params, 15), Distance(plain, kind, params, 15));
        EXPECT_GE(passes, 1);
    }
}

TEST(ExpGen, AnErrorInsideTheThreadReachesItsCreator)
{
    TVector output(10, 7.0);
    const TVector params{0, 0};  // ro = 0: every draw is 0, and the distribution at 0 is 0/0
    TExpGen gen(output, 10, TDistKind::Normal, params);
    gen.Resume();
    try {
        gen.WaitFor();
        ADD_FAILURE() << "no error";
    } catch (const EMathError& e) {
        EXPECT_STREQ(e.what(), "Invalid floating point operation");
    }
    gen.WaitFor();  // handed on once
}

TEST(ExpGen, EmptySampleSkipsThePasses)
{
    int passes = -1;
    EXPECT_TRUE(Generate(0, TDistKind::Normal, {0, 1}, &passes).empty());
    EXPECT_EQ(passes, 0);
}

namespace {
std::uint64_t BitsHash(const TVector& values)
{
    std::uint64_t h = 1469598103934665603ull;  // FNV-1a over the bytes of every value
    for (double d : values) {
        std::uint64_t b = 0;
        std::memcpy(&b, &d, sizeof b);
        for (int i = 0; i < 8; ++i) {
            h ^= (b >> (8 * i)) & 255;
            h *= 1099511628211ull;
        }
    }
    return h;
}

// The enhanced inverse written out as its algorithm states it, step by step, with the sort
// for the extremes and a scan of the edges for each category; the number of passes it ran.
int ListedEnhancedInverse(TVector& out, std::int32_t count, TDistKind kind, const TVector& params)
{
    for (std::int32_t i = 0; i < count; ++i)
        out[i] = DistEval(kind, TDistFunc::Inverse, params, RandomUniform());
    const int K = ExpGenCategoryCount(count);
    for (int pass = 1;; ++pass) {
        TIntVector order;
        SortIndex(order, out, count);
        const double minimum = out[order[0]], maximum = out[order[count - 1]];
        TVector edge(K), counts(K, 0.0), P(K);
        std::vector<TIntVector> members(K);
        for (int j = 0; j < K; ++j)
            edge[j] = static_cast<double>((static_cast<long double>(maximum) - minimum) * (j + 1) / K + minimum);
        for (std::int32_t l = 0; l < count; ++l) {
            int j = 0;
            while (j < K - 1 && !(out[l] <= edge[j]))
                ++j;
            counts[j] += 1;
            members[j].push_back(l);
        }
        for (int j = 0; j < K; ++j)
            P[j] = DistEval(kind, TDistFunc::Distribution, params, edge[j]);
        for (int j = K - 1; j >= 1; --j)
            P[j] = P[j] - P[j - 1];
        for (double& p : P)
            p = p * count;
        double S = 0;
        TVector E(K);
        for (int j = 0; j < K; ++j) {
            E[j] = counts[j] - P[j];
            if (E[j] > 0)
                S = S + E[j];
            else
                E[j] = 0;
        }
        for (int j = 1; j < K; ++j)
            E[j] = E[j - 1] + E[j];
        const double R = std::floor(S / 2);
        for (double r = 0; r < R + 1; ++r) {
            const double target = static_cast<double>(static_cast<long double>(RandomUniform()) * S);
            int t = 0;
            while (t < K - 1 && !(E[t] >= target))
                ++t;
            TIntVector& list = members[t];
            if (list.empty())
                continue;
            const auto n = static_cast<std::int32_t>(list.size());
            const auto w = static_cast<std::int32_t>(std::trunc(RandomUniform() * (n - 1)));
            out[list[w]] = DistEval(kind, TDistFunc::Inverse, params, RandomUniform());
            list.erase(list.begin() + w);
        }
        if (K > S || pass == 13)
            return pass;
    }
}
}  // namespace

// The generator's samples are those of its algorithm written out plainly, computed beside it
// in the same run, bit for bit and pass for pass. The standard uniform's sample passes through
// no transcendental function (its inverse and distribution are the identity on (0, 1)), so its
// bits are the same on every processor and are also held against the hash they had before the
// generator shared the goodness-of-fit test's categories and expected counts.
TEST(ExpGen, SamplesAreThoseOfTheListedAlgorithm)
{
    struct Case {
        TDistKind kind;
        TVector params;
        std::int32_t count;
        int passes;
    } cases[] = {
        {TDistKind::Normal, {1, 2}, 2000, 13},
        {TDistKind::Exponential, {2}, 400, 4},
        {TDistKind::Chi2, {5}, 120, 2},
        {TDistKind::Weibull, {1.5, 2}, 60, 2},
        {TDistKind::UniformStd, {}, 5000, 13},
    };
    for (const Case& c : cases) {
        SeedRandom(424242);
        TVector listed(c.count);
        const int listedPasses = ListedEnhancedInverse(listed, c.count, c.kind, c.params);
        SeedRandom(424242);
        TVector out(c.count);
        TExpGen generator(out, c.count, c.kind, c.params);
        generator.Resume();
        generator.WaitFor();
        EXPECT_EQ(BitsHash(out), BitsHash(listed)) << KindIndex(c.kind);
        EXPECT_EQ(generator.Passes(), listedPasses) << KindIndex(c.kind);
        EXPECT_EQ(generator.Passes(), c.passes) << KindIndex(c.kind);
        if (c.kind == TDistKind::UniformStd) {
            EXPECT_EQ(BitsHash(out), 0xad5a16b82285e157ull);
        }
    }
}

// A negative Cauchy scale (passed on as entered) makes the cumulative values leave 0..1 and
// the summed excess astronomical: the redraws are bounded by the sample, so the generation
// ends; and a cancel ends a generation that is busy redrawing a large sample.
TEST(ExpGen, OutOfRangeParametersEndAndCancelIsPrompt)
{
    SeedRandom(3);
    int passes = 0;
    const TVector two = Generate(2, TDistKind::Cauchy, {0, -1e-15}, &passes);
    EXPECT_EQ(two.size(), 2u);
    EXPECT_GE(passes, 1);

    TVector output(200000);
    const TVector params{0};  // the generator reads the caller's parameters, not a copy
    TExpGen gen(output, 200000, TDistKind::Rayleigh, params);
    gen.Resume();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    gen.Terminate();
    gen.WaitFor();
    EXPECT_TRUE(gen.Done());
}
