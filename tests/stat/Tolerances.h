// How closely the library must agree with an oracle, as tiers in units of the double epsilon:
// 2 eps, then each tier 8 times the one before (Tol0 and Tol1 are GSL's TEST_TOL0 and
// TEST_TOL1; from Tol2 on each tier is half of GSL's TEST_TOL2..6), and the two ways of checking:
// relative to the expected value, or absolute where the quantity is accurate only in absolute
// terms (a probability formed as 1/2 + an integral in the lower tail, a quantile found within
// a fixed step of its root, an expected 0).
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tol {
constexpr double Eps = std::numeric_limits<double>::epsilon();
constexpr double Tier(int k)
{
    double t = 2 * Eps;
    for (int i = 0; i < k; ++i)
        t *= 8;
    return t;
}
constexpr double Tol0 = Tier(0);    // 4.4e-16: the last place
constexpr double Tol1 = Tier(1);    // 3.6e-15: a closed formula in extended precision
constexpr double Tol2 = Tier(2);    // 2.8e-14
constexpr double Tol3 = Tier(3);    // 2.3e-13: Simpson's rule on a smooth density
constexpr double Tol4 = Tier(4);    // 1.8e-12
constexpr double Tol5 = Tier(5);    // 1.5e-11
constexpr double Tol6 = Tier(6);    // 1.2e-10
constexpr double Tol7 = Tier(7);    // 9.3e-10: below 1e-9, the truth every value holds
constexpr double Tol8 = Tier(8);    // 7.5e-9: a quantile within 2^-31 of the grid's root
constexpr double Tol9 = Tier(9);    // 6.0e-8
constexpr double Tol10 = Tier(10);  // 4.8e-7
constexpr double Tol11 = Tier(11);  // 3.8e-6
constexpr double Tol12 = Tier(12);  // 3.1e-5
constexpr double Tol13 = Tier(13);  // 2.4e-4
// Ten significant digits, relative: the truth every value a user reads holds. A listed value
// stands where it agrees with the sound one to 1e-9, so the values of the grids come to this
// bar, not below Tol7.
constexpr double Shown = 1e-9;

inline ::testing::AssertionResult Relative(const char* a, const char* e, const char*,
                                           double actual, double expected, double tier)
{
    if (std::fabs(actual - expected) <= tier * std::fabs(expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << a << " = " << actual << " differs from " << e << " = " << expected
           << " by a relative " << std::fabs(actual - expected) / std::fabs(expected)
           << ", above the tier " << tier;
}

inline ::testing::AssertionResult Absolute(const char* a, const char* e, const char*,
                                           double actual, double expected, double tier)
{
    if (std::fabs(actual - expected) <= tier)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << a << " = " << actual << " differs from " << e << " = " << expected << " by "
           << std::fabs(actual - expected) << ", above the tier " << tier;
}
}  // namespace tol

#define EXPECT_REL(actual, expected, tier) \
    EXPECT_PRED_FORMAT3(tol::Relative, actual, expected, tier)
#define EXPECT_ABS(actual, expected, tier) \
    EXPECT_PRED_FORMAT3(tol::Absolute, actual, expected, tier)
