#include <gtest/gtest.h>

#include <cmath>

#include "Oracle.h"
#include "Tolerances.h"

namespace {
TParamSet Both()
{
    TParamSet s;
    s.set(0);
    s.set(1);
    return s;
}
TParamSet Only(int i)
{
    TParamSet s;
    s.set(i);
    return s;
}
}  // namespace

TEST(EstimateParams, FewerThanThreeValuesOrNoEstimatorWritesNothing)
{
    TVector params{7, 8};
    EXPECT_FALSE(EstimateParams(TDistKind::Normal, {1, 2}, params, Both()));
    EXPECT_EQ(params, (TVector{7, 8}));
    for (TDistKind k : {TDistKind::Cauchy, TDistKind::Beta, TDistKind::Weibull, TDistKind::Pareto}) {
        EXPECT_FALSE(EstimateParams(k, {1, 2, 3}, params, Both()));
        EXPECT_FALSE(EstimateParams(k, {1, 2, 3}, params, TParamSet()));
        EXPECT_EQ(params, (TVector{7, 8}));
    }
    TVector three{1, 2, 3};
    EXPECT_FALSE(EstimateParams(TDistKind::ExtrValue, {1, 2, 3}, three, Both()));
    TVector none;
    EXPECT_TRUE(EstimateParams(TDistKind::NormalStd, {1, 2, 3}, none, Both()));
    EXPECT_TRUE(EstimateParams(TDistKind::Normal, {1, 2, 3}, params, TParamSet()));
    EXPECT_EQ(params, (TVector{7, 8}));
}

// A parameter vector of the wrong length is refused before anything is written (a short one
// was written past its end before).
TEST(EstimateParams, AParameterVectorOfTheWrongLengthIsRefused)
{
    for (TDistKind k : {TDistKind::Normal, TDistKind::LogNormal, TDistKind::F, TDistKind::Chi2}) {
        for (int extra : {-1, 1}) {
            TVector params(static_cast<std::size_t>(ParamCount(k) + extra), 5.0);
            const TVector before = params;
            EXPECT_THROW(EstimateParams(k, {1, 2, 3, 4}, params, Both()), EStat) << KindIndex(k);
            EXPECT_EQ(params, before);
        }
    }
}

TEST(EstimateParams, MomentFormulasOnSmallSamples)
{
    TVector p{0, 0};
    ASSERT_TRUE(EstimateParams(TDistKind::Uniform, {3, 1, 2}, p, Both()));
    EXPECT_EQ(p, (TVector{1, 3}));
    ASSERT_TRUE(EstimateParams(TDistKind::Normal, {1, 2, 3}, p, Both()));
    EXPECT_EQ(p, (TVector{2, 1}));
    // Logistic: s = sqrt(3 s2) / pi with s2 = 1.
    ASSERT_TRUE(EstimateParams(TDistKind::Logistic, {1, 2, 3}, p, Both()));
    EXPECT_EQ(p[0], 2);
    EXPECT_DOUBLE_EQ(p[1], std::sqrt(3.0) / M_PI);

    TVector one{0};
    EXPECT_TRUE(EstimateParams(TDistKind::Chi2, {0, 4, 4, 4, 8}, one, Only(0)));  // m 4, s2 8
    EXPECT_EQ(one[0], 4);
    EXPECT_TRUE(EstimateParams(TDistKind::Chi2, {0.4, 4.4, 4.4, 4.4, 8.4}, one, Only(0)));
    EXPECT_EQ(one[0], 4);  // 4.2
    // Degrees of freedom are rounded to the nearest whole number, halves away from zero (they
    // were truncated: an estimate of 4.99 became 4).
    EXPECT_TRUE(EstimateParams(TDistKind::Chi2, {1.2, 5.2, 5.2, 5.2, 9.2}, one, Only(0)));
    EXPECT_EQ(one[0], 5);  // 4.6
    EXPECT_TRUE(EstimateParams(TDistKind::Chi2, {1, 5, 5, 5, 9}, one, Only(0)));
    EXPECT_EQ(one[0], 5);  // 4.5
    EXPECT_TRUE(EstimateParams(TDistKind::Student, {1, 2, 3}, one, Only(0)));  // s2 = 1
    EXPECT_EQ(one[0], 2);
    EXPECT_TRUE(EstimateParams(TDistKind::Student, {-1.5, -1.5, 1.5, 1.5}, one, Only(0)));
    EXPECT_EQ(one[0], 3);  // s2 = 3: Int(6 / 2)
    // s2 = 0.5 gives -2, outside the bounds: the estimation fails and writes nothing.
    EXPECT_FALSE(EstimateParams(TDistKind::Student, {-1, 0, 0, 0, 1}, one, Only(0)));
    EXPECT_EQ(one[0], 3);
    EXPECT_TRUE(EstimateParams(TDistKind::Exponential, {-1, 0, 1}, one, Only(0)));
    EXPECT_EQ(one[0], 1);
    EXPECT_TRUE(EstimateParams(TDistKind::Exponential, {1, 2, 3}, one, Only(0)));
    EXPECT_EQ(one[0], 0.5);
    EXPECT_TRUE(EstimateParams(TDistKind::Rayleigh, {1, 2, 3}, one, Only(0)));
    EXPECT_DOUBLE_EQ(one[0], 2 / std::sqrt(M_PI / 2));
}

TEST(EstimateParams, StepOrderAndTheValuesTheFormulasRead)
{
    // F: M from the mean first (mean 1: no division, 2), then N reads it: 2 d^2 (d - 2) = 0
    // over -8, outside the bounds, so the estimation fails and nothing is kept.
    TVector f{9, 9};
    EXPECT_FALSE(EstimateParams(TDistKind::F, {0, 1, 2}, f, Both()));
    EXPECT_EQ(f, (TVector{9, 9}));
    // N alone reads the given M = 6.
    TVector given{9, 10};
    ASSERT_TRUE(EstimateParams(TDistKind::F, {1, 2, 3}, given, Only(0)));
    const double d = 10, s2 = 1;
    EXPECT_EQ(given[0], std::round(2 * d * d * (d - 2) / (s2 * (d - 2) * (d - 2) * (d - 4) - 2 * d * d)));
    // LogNormal: from the logarithms of the data. ro reads the mu already held when only
    // index 1 is asked for (it was ln(mean), and a ro formula that gave 0.21 for a sample of
    // LogNormal(0, 0.5)).
    const double l2 = std::log(2.0), l3 = std::log(3.0);
    TVector ln{0, 5};
    ASSERT_TRUE(EstimateParams(TDistKind::LogNormal, {1, 2, 3}, ln, Only(1)));
    EXPECT_EQ(ln[0], 0);
    EXPECT_REL(ln[1], std::sqrt((l2 * l2 + l3 * l3) / 2), tol::Tol0);
    ASSERT_TRUE(EstimateParams(TDistKind::LogNormal, {1, 2, 3}, ln, Both()));
    const double mu = (l2 + l3) / 3;
    EXPECT_REL(ln[0], mu, tol::Tol0);
    EXPECT_REL(ln[1], std::sqrt((mu * mu + (l2 - mu) * (l2 - mu) + (l3 - mu) * (l3 - mu)) / 2), tol::Tol0);
}

TEST(EstimateParams, FloatingPointFaultsPropagateLeavingEarlierWrites)
{
    auto messageOf = [](TDistKind kind, const TVector& data, TVector& params) {
        try {
            EstimateParams(kind, data, params, Both());
        } catch (const EMathError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    // A log-normal sample with a value not above 0 cannot be estimated: false, no error (it
    // raised the logarithm's errors before), nothing written.
    TVector ln{7, 8};
    EXPECT_EQ(messageOf(TDistKind::LogNormal, {-1, 0, 1}, ln), "no error");
    EXPECT_FALSE(EstimateParams(TDistKind::LogNormal, {-3, -2, -1}, ln, Both()));
    EXPECT_FALSE(EstimateParams(TDistKind::LogNormal, {3, 2, 0}, ln, Only(1)));
    EXPECT_EQ(ln, (TVector{7, 8}));
    // F with M = 6 and s2 = 2.25 has a zero denominator: M is written, N is not.
    TVector f{9, 9};
    EXPECT_EQ(messageOf(TDistKind::F, {0, 1.5, 3}, f), "Floating point division by zero");
    EXPECT_EQ(f, (TVector{9, 6}));
}

TEST(ChiSquareCritical, TableRowsInterpolationAndEnds)
{
    const std::pair<int, double> rows[] = {
        {1, 3.841459}, {2, 5.991465}, {5, 11.0705}, {10, 18.30704}, {100, 124.3421},
        {120, 146.5674}, {122, 148.7793}, {180, 212.3039}, {185, 217.735}, {310, 352.0617},
        {350, 394.6258}, {500, 553.1268}, {800, 866.9114}, {810, 877.3215}, {990, 1064.311},
        {1024, 1099.557}, {2048, 2154.395}};
    for (const auto& [df, value] : rows)
        EXPECT_EQ(ChiSquareCritical(df), value) << df;
    EXPECT_DOUBLE_EQ(ChiSquareCritical(121), 147.67335);
    EXPECT_LT(ChiSquareCritical(16777215), 200000.0);
    EXPECT_GT(ChiSquareCritical(16777215), 199999.0);
    for (int df : {16777216, 2147483647, 0, -5}) {
        try {
            ChiSquareCritical(df);
            ADD_FAILURE() << df;
        } catch (const EStat& e) {
            EXPECT_STREQ(e.what(), "Count of parameters was not found");
        }
    }
}
