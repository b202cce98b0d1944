#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "GridCacheSettings.h"
#include "StatInternal.h"
#include "Tolerances.h"

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
