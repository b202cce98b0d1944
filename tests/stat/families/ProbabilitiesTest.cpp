// The calculator's interval and two-tailed probabilities against mpmath at 60 digits, far
// tails included, and the logarithms of values below the doubles.
#include <gtest/gtest.h>

#include <cmath>

#include "NumberFormat.h"
#include "Stat_Lib.h"

namespace {
struct Case {
    TDistKind kind;
    TVector params;
    double a, b, truth;
};

double Rel(double value, double truth)
{
    return std::fabs(value - truth) / std::fabs(truth);
}
}  // namespace

TEST(Probabilities, BetweenTwoBoundsKeepsItsDigitsInEitherTail)
{
    const Case cases[] = {
        {TDistKind::NormalStd, {}, 30, 31, 4.9067139271479175e-198},
        {TDistKind::NormalStd, {}, -1, 1, 0.6826894921370859},
        {TDistKind::NormalStd, {}, -31, -30, 4.9067139271479175e-198},
        {TDistKind::Normal, {10, 2}, 9.999, 10.001, 0.00039894226377861718},
        {TDistKind::Exponential, {2}, 100, 100.5, 8.7478944584172654e-88},
        {TDistKind::Cauchy, {0, 1}, 1e6, 2e6, 1.591549430918025e-7},
        {TDistKind::Weibull, {1.5, 2}, 0, 1, 0.2978114986734404},
        {TDistKind::Beta, {2, 5}, 0.2, 0.200001, 2.4575999999896578e-6},
        {TDistKind::Gamma, {2.5, 1.5}, 50, 60, 5.045103686178822e-13},
        {TDistKind::Student, {5}, -3, 2, 0.93398063663633953},
    };
    for (const Case& c : cases)
        EXPECT_LT(Rel(DistProbability(c.kind, c.params, TProbability::Between, c.a, c.b), c.truth), 1e-9)
            << DistKindName[KindIndex(c.kind)] << " " << c.a << " " << c.b;
    EXPECT_EQ(DistProbability(TDistKind::Normal, {0, 1}, TProbability::Between, 2, 2), 0);
    EXPECT_THROW(DistProbability(TDistKind::Normal, {0, 1}, TProbability::Between, 2, 1), EStat);
}

TEST(Probabilities, TheTwoTailsAddTheirOwnPrecision)
{
    const Case cases[] = {
        {TDistKind::NormalStd, {}, -1.96, 1.96, 0.049995790296440872},
        {TDistKind::NormalStd, {}, -8, 9, 6.222089162677738e-16},
        {TDistKind::Normal, {10, 2}, 4, 16, 0.0026997960632601891},
        {TDistKind::Exponential, {2}, 0.001, 20, 0.0019980013326669375},
        {TDistKind::Cauchy, {0, 1}, -1e8, 1e9, 3.5014087480216973e-9},
        {TDistKind::Weibull, {1.5, 2}, 0.01, 12, 0.00035390508902465336},
        {TDistKind::Beta, {2, 5}, 0.01, 0.99, 0.0014604482000000001},
        {TDistKind::Gamma, {2.5, 1.5}, 0.05, 40, 5.9606464701673576e-5},
        {TDistKind::Student, {5}, -30, 30, 7.718648620496052e-7},
        {TDistKind::Student, {5}, -2, 1, 0.23257847323949049},
    };
    for (const Case& c : cases)
        EXPECT_LT(Rel(DistProbability(c.kind, c.params, TProbability::Outside, c.a, c.b), c.truth), 1e-9)
            << DistKindName[KindIndex(c.kind)] << " " << c.a << " " << c.b;
}

TEST(Probabilities, LogarithmsBelowTheDoubles)
{
    // P(Z > 40) = 3.6558935409150297e-350: its logarithm, and the same text a user reads.
    double log = 0;
    ASSERT_TRUE(DistLogProbability(TDistKind::NormalStd, {}, TProbability::Above, 40, 0, log));
    EXPECT_NEAR(log, -804.60844201375378817, 1e-12);
    EXPECT_EQ(FormatFromLog(log, '.'), "3.655894E-350");
    EXPECT_EQ(FormatFromLog(log, ','), "3,655894E-350");
    // The chi-square's upper tail at the largest doubles: an exponent beyond the 64-bit
    // integers is written whole, as it was not (a conversion out of range).
    EXPECT_EQ(FormatFromLog(-1e20, '.').substr(0, 21), "1E-434294481903251827");
    EXPECT_EQ(FormatFromLog(-1e20, '.').size(), 23u);
    EXPECT_EQ(FormatFromLog(-5e307, '.').substr(0, 12), "1E-217147240");
    EXPECT_EQ(FormatFromLog(-5e307, '.').size(), 3 + 308u);
    ASSERT_TRUE(DistLogProbability(TDistKind::Normal, {0, 2}, TProbability::Below, -80, 0, log));
    EXPECT_NEAR(log, -804.60844201375378817, 1e-12);
    ASSERT_TRUE(DistLogProbability(TDistKind::NormalStd, {}, TProbability::Between, 40, 41, log));
    EXPECT_NEAR(log, -804.60844201375378817, 1e-12);
    ASSERT_TRUE(DistLogProbability(TDistKind::NormalStd, {}, TProbability::Outside, -40, 40, log));
    EXPECT_NEAR(log, -803.91529483319384286, 1e-12);
    EXPECT_NEAR(DistLogDensity(TDistKind::NormalStd, {}, 40), -800.91893853320467274, 1e-12);
    // e^-800 of the exponential law, and past the extended range of the normal (z = 1000).
    ASSERT_TRUE(DistLogProbability(TDistKind::Exponential, {2}, TProbability::Above, 400, 0, log));
    EXPECT_DOUBLE_EQ(log, -800);
    ASSERT_TRUE(DistLogProbability(TDistKind::NormalStd, {}, TProbability::Above, 1000, 0, log));
    EXPECT_NEAR(log, -500000 - std::log(1000 * std::sqrt(2 * M_PI)) - 1e-6, 1e-9);
    // Outside the support the value is 0 (NaN); a kind without logarithmic tails says so.
    ASSERT_TRUE(DistLogProbability(TDistKind::Exponential, {2}, TProbability::Below, -1, 0, log));
    EXPECT_TRUE(std::isnan(log));
    // A kind without logarithmic tails still tells a true 0 (outside the support, an empty
    // interval) from a value below the doubles.
    ASSERT_TRUE(DistLogProbability(TDistKind::Beta, {2, 5}, TProbability::Below, -1, 0, log));
    EXPECT_TRUE(std::isnan(log));
    ASSERT_TRUE(DistLogProbability(TDistKind::Beta, {2, 5}, TProbability::Between, 2, 3, log));
    EXPECT_TRUE(std::isnan(log));
    ASSERT_TRUE(DistLogProbability(TDistKind::Student, {10}, TProbability::Between, 1e40, 1e40, log));
    EXPECT_TRUE(std::isnan(log));
    EXPECT_EQ(DistUpper(TDistKind::Student, {10}, 1e40), 0);
    EXPECT_FALSE(DistLogProbability(TDistKind::Student, {10}, TProbability::Above, 1e40, 0, log));
    ASSERT_TRUE(DistLogProbability(TDistKind::Gamma, {2.5, 1.5}, TProbability::Above, 5, 0, log));
    EXPECT_NEAR(std::exp(log), DistUpper(TDistKind::Gamma, {2.5, 1.5}, 5), 1e-15);
    // The kinds whose tails have logarithms: the far tails of each match the doubles' where
    // both exist.
    for (TDistKind kind : {TDistKind::LogNormal, TDistKind::Weibull, TDistKind::Rayleigh,
                           TDistKind::Logistic, TDistKind::Pareto, TDistKind::Cauchy,
                           TDistKind::ExtrValue, TDistKind::Laplace, TDistKind::GumbelMin,
                           TDistKind::LogLogistic, TDistKind::GenPareto, TDistKind::Weibull3}) {
        TVector params;
        for (int i = 0; i < ParamCount(kind); ++i)
            params.push_back(i == 2 ? 0.1 : 1.5);
        const double x = DistUpperInverse(kind, params, 1e-300);
        ASSERT_TRUE(DistLogProbability(kind, params, TProbability::Above, x, 0, log));
        EXPECT_NEAR(log, std::log(DistUpper(kind, params, x)), 1e-12) << DistKindName[KindIndex(kind)];
    }
}

// Logarithms beyond the doubles themselves (the normal's at 1e300, about -5e599): neither a
// number nor an overflow raised.
TEST(Probabilities, LogarithmsBeyondTheDoublesAreNotFormed)
{
    const TVector params{2, 2};
    EXPECT_EQ(DistLogDensity(TDistKind::Normal, params, 1e300), -HUGE_VAL);
    double log = 0;
    EXPECT_FALSE(DistLogProbability(TDistKind::Normal, params, TProbability::Above, 1e300, 0, log));
    EXPECT_FALSE(DistLogProbability(TDistKind::Normal, params, TProbability::Below, -1e300, 0, log));
    // A log that is a double is still formed beside them.
    ASSERT_TRUE(DistLogProbability(TDistKind::Normal, params, TProbability::Above, 1e154, 0, log));
    EXPECT_NEAR(log, -0.125e308, 1e-12 * 0.125e308);
}

// The gamma laws' tails below the doubles, against mpmath's regularised incomplete gamma:
// Q(2.5, 2000/1.5), the chi-square's Q at 5000 with 4 degrees, P(300, 1) far below the mode,
// and the chi-square's P near 0 with one degree.
TEST(Probabilities, GammaLawsTailsBelowTheDoubles)
{
    struct Case {
        TDistKind kind;
        TVector params;
        TProbability what;
        double x, truth;
    } cases[] = {
        {TDistKind::Gamma, {2.5, 1.5}, TProbability::Above, 2000, -1322.8237353877506789},
        {TDistKind::Gamma3, {2.5, 1.5, -7}, TProbability::Above, 1993, -1322.8237353877506789},
        {TDistKind::Chi2, {4}, TProbability::Above, 5000, -2492.1755540691223809},
        {TDistKind::Gamma, {300, 1}, TProbability::Below, 1, -1415.9025221917654503},
        {TDistKind::Chi2, {1}, TProbability::Below, 1e-300, -345.61355530175158004},
    };
    for (const Case& c : cases) {
        double log = 0;
        ASSERT_TRUE(DistLogProbability(c.kind, c.params, c.what, c.x, 0, log)) << c.truth;
        EXPECT_NEAR(log, c.truth, 1e-13 * std::fabs(c.truth)) << c.truth;
    }
}
