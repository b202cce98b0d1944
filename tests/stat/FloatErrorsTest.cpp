#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>

#include "Oracle.h"

namespace {
const auto MessageOf = MathErrorOf;
}  // namespace

TEST(FloatErrors, EachOfTheThreeReachesTheCallerWithItsMessage)
{
    // A zero standard deviation divides by zero in the standardisation ...
    EXPECT_EQ(MessageOf(TDistKind::Normal, TDistFunc::Density, {0, 0}, 1),
              "Floating point division by zero");
    // ... and 0/0 at the mean itself is an invalid operation.
    EXPECT_EQ(MessageOf(TDistKind::Normal, TDistFunc::Distribution, {1, 0}, 1),
              "Invalid floating point operation");
    // A density beyond the double range overflows when it is stored.
    EXPECT_EQ(MessageOf(TDistKind::Normal, TDistFunc::Density, {0, 1e-320}, 0),
              "Floating point overflow");
}

TEST(FloatErrors, UnderflowAndInexactPass)
{
    EXPECT_EQ(DistEval(TDistKind::NormalStd, TDistFunc::Density, {}, 1e10), 0.0);
    EXPECT_EQ(MessageOf(TDistKind::LogNormal, TDistFunc::Density, {0, 1}, 1e-300), "no error");
}

TEST(FloatErrors, ScopesLeaveTheCallersFlagsAsTheyWere)
{
    std::feclearexcept(FE_ALL_EXCEPT);
    std::feraiseexcept(FE_OVERFLOW);
    EXPECT_NO_THROW(DistEval(TDistKind::NormalStd, TDistFunc::Density, {}, 0));
    EXPECT_TRUE(std::fetestexcept(FE_OVERFLOW));
    EXPECT_THROW(DistEval(TDistKind::Normal, TDistFunc::Density, {0, 0}, 1), EMathError);
    EXPECT_FALSE(std::fetestexcept(FE_DIVBYZERO));
    std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(FloatErrors, FloatCheckedWrapsAnyComputation)
{
    volatile double zero = 0;
    EXPECT_THROW(FloatChecked([&] { return std::sqrt(zero - 1); }), EMathError);
    EXPECT_EQ(FloatChecked([&] { return zero + 2; }), 2.0);
}
