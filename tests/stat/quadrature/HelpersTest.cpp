#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "Tolerances.h"
#include "GridCacheSettings.h"

namespace {
// A density that records where it was evaluated.
std::vector<double> Visited;
double RecordingStdNormal(const TVector& params, double x)
{
    Visited.push_back(x);
    return NormalStdDensity(params, x);
}
double One(const TVector&, double) { return 1.0; }

const TVector None;

// The helpers belong inside an evaluation, which starts with clear floating-point flags.
double Integral(TDistHandler f, double from, double to)
{
    return FloatChecked([&] { return SimpsonIntegral(f, None, from, to); });
}
double Inverse(TDistHandler f, double from, double target, double limit)
{
    return FloatChecked([&] { return SimpsonInverse(f, None, from, target, limit); });
}

// The order of evaluations is that of a walk from the start: with the grid cache off.
using PlainWalk = GridCacheOff;
}  // namespace

TEST(SimpsonIntegral, EmptySpanIsZeroAfterOneEvaluation)
{
    Visited.clear();
    EXPECT_EQ(Integral(RecordingStdNormal, 0.7, 0.7), 0.0);
    EXPECT_EQ(Visited.size(), 1u);
}

TEST(SimpsonIntegral, WalksWholePanelsThenOneShortPanelEndingOnTo)
{
    PlainWalk plain;
    Visited.clear();
    Integral(RecordingStdNormal, 0, 0.3);
    // 307 whole panels and a last one of 0.3 - 307/1024: two evaluations each, plus From.
    ASSERT_EQ(Visited.size(), 1u + 2u * 308u);
    EXPECT_EQ(Visited[2 * 307 - 1], 307 * SimpsonStep);     // end of the last whole panel
    EXPECT_EQ(Visited[2 * 308 - 1], 0.3);                   // the short panel ends on To
    EXPECT_EQ(Visited[2 * 308], 307 * SimpsonStep + (0.3 - 307 * SimpsonStep) / 2);
}

TEST(SimpsonIntegral, StandardNormalAreaAndItsSignOnReversedBounds)
{
    const double up = Integral(NormalStdDensity, 0, 1);
    EXPECT_REL(up, 0.341344746068543, tol::Tol1);
    // The reversed walk visits the mirrored grid in the other order: equal up to rounding.
    EXPECT_REL(Integral(NormalStdDensity, 1, 0), -up, tol::Tol1);
    // A constant density integrates exactly up to the rounding of the panel sums.
    EXPECT_REL(Integral(One, -2, 3), 5.0, tol::Tol0);
}

TEST(SimpsonInverse, TargetOfZeroReturnsFromAfterTwentyTwoHalvings)
{
    PlainWalk plain;
    Visited.clear();
    EXPECT_EQ(Inverse(RecordingStdNormal, 0.5, 0, 25), 0.5);
    // From, the first panel's end and middle, then one new middle per halving: each halved
    // panel ends on the middle of the one rejected before it.
    EXPECT_EQ(Visited.size(), 1u + 2u + 21u);
    EXPECT_EQ(Visited.back(), 0.5 + std::ldexp(1.0, -32));  // midpoint of the last 2^-31 panel
}

TEST(SimpsonInverse, UnreachableTargetStopsWithinOneStepOfLimit)
{
    const double x = Inverse(NormalStdDensity, 0, 0.75, 3);
    EXPECT_LE(3 - x, SimpsonStep);
    EXPECT_GT(3 - x, 0);
}

TEST(SimpsonInverse, DownwardWalkAccumulatesPositiveAreaBelowFrom)
{
    const double x = Inverse(NormalStdDensity, 0, 0.341344746068543, -25);
    EXPECT_REL(x, -1.0, tol::Tol7);
    EXPECT_EQ(Inverse(NormalStdDensity, 0, 0.341344746068543, 25), -x);
}

TEST(SimpsonHelpers, EndAtTheFirstFloatingPointErrorAndOnUnboundedSpans)
{
    static const double inf = std::numeric_limits<double>::infinity();
    EXPECT_THROW(FloatChecked([] { return SimpsonIntegral(NormalStdDensity, None, 0, inf); }),
                 EMathError);
    EXPECT_THROW(FloatChecked([] { return SimpsonInverse(NormalStdDensity, None, 0, 0.2, NAN); }),
                 EMathError);
    // A density that divides by zero stops the walk at once instead of running to the end.
    PlainWalk plain;
    Visited.clear();
    static TDistHandler faulty = [](const TVector&, double x) {
        Visited.push_back(x);
        volatile double zero = 0;
        return x > 0.5 ? 1 / zero : 1.0;
    };
    EXPECT_THROW(FloatChecked([] { return SimpsonIntegral(faulty, None, 0, 1000); }), EMathError);
    EXPECT_LT(Visited.size(), 1100u);
}

TEST(HalfFunctions, PowersOfHalfIntegerExponent)
{
    EXPECT_EQ(HalfPower(-1, 4), 0.5L);
    EXPECT_EQ(HalfPower(0, 3.7L), 1.0L);
    EXPECT_EQ(HalfPower(5, 4), 32.0L);
    EXPECT_EQ(HalfPower(6, 3), 27.0L);
    EXPECT_EQ(HalfPower(2, 0.25L), 0.25L);
    EXPECT_EQ(HalfPowerOfTwo(0), 1.0L);
    EXPECT_EQ(HalfPowerOfTwo(3), 2 * 1.4142135623731L);
    EXPECT_EQ(HalfPowerOfTwo(10), 32.0L);
}

TEST(HalfFunctions, GammaUsesTableThenFactorialsAndDoubleFactorials)
{
    EXPECT_EQ(HalfGamma(1), 1.77245385090552L);
    EXPECT_EQ(HalfGamma(7), 3.32335097044785L);
    EXPECT_EQ(HalfGamma(10), 24.0L);
    EXPECT_EQ(HalfGamma(12), 120.0L);
    EXPECT_REL(static_cast<double>(HalfGamma(9)), 105 * std::sqrt(M_PI) / 16, tol::Tol0);
    EXPECT_REL(static_cast<double>(HalfGamma(9)), 11.6317283, tol::Tol9);
    EXPECT_REL(static_cast<double>(HalfGamma(101) / std::tgamma(50.5L)), 1.0, tol::Tol0);
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
