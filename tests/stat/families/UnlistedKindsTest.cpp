// The kinds added after the sixteen: every value against mpmath's truth at 50 digits (the
// accuracy survey's table), the laws they share with the described kinds, and the one rule of
// their parameters.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

#include "Oracle.h"
#include "Tolerances.h"

namespace {
constexpr int FirstUnlisted = static_cast<int>(TDistKind::Gamma);

struct Row {
    int kind = 0, mode = 0;
    TVector params;
    double x = 0, truth = 0;
};

std::vector<Row> TableRows()
{
    std::vector<Row> rows;
    for (const TOracleRow& r : OracleTable(VELMORA_TRUE_VALUES, 1))
        if (static_cast<int>(r.kind) >= FirstUnlisted)
            rows.push_back({static_cast<int>(r.kind), r.tags[0], r.params, r.values.at(0), r.values.at(1)});
    return rows;
}

double Value(const Row& r)
{
    const TDistKind kind = static_cast<TDistKind>(r.kind);
    switch (r.mode) {
    case 0:
        return DistEval(kind, TDistFunc::Density, r.params, r.x);
    case 1:
        return DistEval(kind, TDistFunc::Distribution, r.params, r.x);
    case 2:
        return DistEval(kind, TDistFunc::Inverse, r.params, r.x);
    case 3:
        return DistUpper(kind, r.params, r.x);
    default:
        return DistUpperInverse(kind, r.params, r.x);
    }
}

// Within 1e-9 relative of a truth that is a normal double; below the normal doubles (or 0,
// or infinite), the value is too.
bool Holds(double value, double truth)
{
    if (std::isinf(truth))
        return value == truth;
    if (std::fabs(truth) < DBL_MIN)
        return std::fabs(value) < DBL_MIN;
    return std::fabs(value - truth) <= tol::Shown * std::fabs(truth);
}

double Rel(double a, double b)
{
    return a == b ? 0 : std::fabs(a - b) / std::fabs(b);
}
}  // namespace

TEST(UnlistedKinds, EveryValueOfTheTableWithinTenDigitsOfTheTruth)
{
    const std::vector<Row> rows = TableRows();
    ASSERT_GT(rows.size(), 3000u);
    int kinds[DistKindCount] = {};
    for (const Row& r : rows) {
        ++kinds[r.kind];
        const double value = Value(r);
        EXPECT_TRUE(Holds(value, r.truth))
            << DistKindName[r.kind] << " mode " << r.mode << " at " << r.x << ": " << value
            << ", truth " << r.truth;
    }
    for (int k = FirstUnlisted; k < DistKindCount; ++k)
        EXPECT_GT(kinds[k], 150) << DistKindName[k];
}

TEST(UnlistedKinds, TheLawsTheyShareWithTheDescribedKinds)
{
    // The described kinds' listed values stand within 1e-9 of the truth.
    const auto check = [](TDistKind a, const TVector& pa, TDistKind b, const TVector& pb,
                          double x, double p) {
        for (TDistFunc mode : {TDistFunc::Density, TDistFunc::Distribution})
            EXPECT_NEAR(Rel(DistEval(a, mode, pa, x), DistEval(b, mode, pb, x)), 0, tol::Shown)
                << DistKindName[KindIndex(a)] << " at " << x;
        EXPECT_NEAR(Rel(DistUpper(a, pa, x), DistUpper(b, pb, x)), 0, tol::Shown);
        EXPECT_NEAR(Rel(DistEval(a, TDistFunc::Inverse, pa, p), DistEval(b, TDistFunc::Inverse, pb, p)),
                    0, tol::Shown);
        EXPECT_NEAR(Rel(DistUpperInverse(a, pa, p), DistUpperInverse(b, pb, p)), 0, tol::Shown);
    };
    for (double n : {1.0, 3.0, 40.0, 501.0})
        for (double x : {0.01, 0.7, 3.0, 60.0, 700.0})
            check(TDistKind::Gamma, {n / 2, 2}, TDistKind::Chi2, {n}, x, 1e-7);
    check(TDistKind::Gamma, {1, 0.25}, TDistKind::Exponential, {4}, 3.5, 0.3);
    check(TDistKind::Exponential2, {4, 0}, TDistKind::Exponential, {4}, 0.8, 1e-12);
    check(TDistKind::Weibull3, {1.5, 2, 0}, TDistKind::Weibull, {1.5, 2}, 2.5, 0.9);
    check(TDistKind::LogNormal3, {0.5, 2, 0}, TDistKind::LogNormal, {0.5, 2}, 7, 0.01);
    check(TDistKind::GenPareto, {3, 2, 0}, TDistKind::Exponential2, {0.5, 3}, 9, 1e-5);
    check(TDistKind::LogLogistic, {1, 1}, TDistKind::F, {2, 2}, 4, 0.75);
    // The smallest extreme of x is the largest of -x; Laplace is symmetric about mu.
    for (double x : {-30.0, -2.0, 0.3, 2.5}) {
        const TVector gumbelMin{1, 2}, gumbel{-1, 2, 0};
        EXPECT_NEAR(Rel(DistUpper(TDistKind::GumbelMin, gumbelMin, x),
                        DistEval(TDistKind::ExtrValue, TDistFunc::Distribution, gumbel, -x)),
                    0, tol::Shown);
        EXPECT_DOUBLE_EQ(DistEval(TDistKind::Laplace, TDistFunc::Distribution, {1, 3}, 1 - x),
                         DistUpper(TDistKind::Laplace, {1, 3}, 1 + x));
    }
    // A shifted kind's values are the base's at x - x0, its quantiles x0 on.
    EXPECT_EQ(DistEval(TDistKind::Gamma3, TDistFunc::Distribution, {2.5, 1.5, -7}, -4.5),
              DistEval(TDistKind::Gamma, TDistFunc::Distribution, {2.5, 1.5}, 2.5));
    EXPECT_EQ(DistEval(TDistKind::Weibull3, TDistFunc::Inverse, {2, 1, 100}, 0), 100);
    EXPECT_EQ(DistEval(TDistKind::Weibull3, TDistFunc::Density, {2, 1, 100}, 99.5), 0);
    EXPECT_EQ(DistUpper(TDistKind::LogNormal3, {0, 1, 5}, 4), 1);
}

TEST(UnlistedKinds, SupportEndsAndTheGeneralisedParetoUpperEnd)
{
    // xi < 0: the support ends at mu - sigma / xi, where the quantile of 1 lies.
    const TVector bounded{-1, 0.5, -0.5};
    EXPECT_EQ(DistEval(TDistKind::GenPareto, TDistFunc::Inverse, bounded, 1), 0);
    EXPECT_EQ(DistUpper(TDistKind::GenPareto, bounded, 0), 0);
    EXPECT_EQ(DistUpper(TDistKind::GenPareto, bounded, 0.3), 0);
    EXPECT_EQ(DistEval(TDistKind::GenPareto, TDistFunc::Distribution, bounded, -1.5), 0);
    // The upper tail just inside the end keeps its digits: (1 + xi z)^(-1/xi) = (2^-40)^2.5,
    // from sigma + xi (x - mu) rounded once (apart, xi (x - mu) would lose 7e-8 of it).
    EXPECT_NEAR(Rel(DistUpper(TDistKind::GenPareto, {-1, 0.4, -0.4}, -0x1p-40), 0x1p-100), 0,
                tol::Tol4);
    // A small shape's far lower quantile lies below every double.
    EXPECT_EQ(DistEval(TDistKind::Gamma, TDistFunc::Inverse, {0.05, 1}, 1e-300), 0);
    EXPECT_GT(DistEval(TDistKind::Gamma, TDistFunc::Inverse, {0.05, 1}, 1e-9), 0);
    // Outside [0, 1] a probability has no quantile.
    EXPECT_TRUE(std::isnan(DistEval(TDistKind::InvGauss, TDistFunc::Inverse, {1, 2}, 1.5)));
}

// A quantile search whose bracket reaches down to where the density vanishes below the long
// doubles (an inverse Gaussian's upper quantile, first stepped past): it bisects there rather
// than overflow, which a million generated numbers met.
TEST(UnlistedKinds, QuantileSearchesPastAVanishingDensity)
{
    const double p = 0x1.ffa8a978d6546p-1;
    EXPECT_NEAR(Rel(DistEval(TDistKind::InvGauss, TDistFunc::Inverse, {1, 2}, p),
                    5.754715116202667519996813998977), 0, 1e-15);
    for (const TVector& params : {TVector{1, 2}, TVector{1, 0.05}, TVector{3, 40}})
        for (int i = 1; i < 4000; ++i) {
            const double at = 0.99 + 0.01 * i / 4000;
            EXPECT_NO_THROW(DistEval(TDistKind::InvGauss, TDistFunc::Inverse, params, at)) << at;
            EXPECT_NO_THROW(DistUpperInverse(TDistKind::InvGauss, params, 1 - at)) << at;
        }
}

TEST(UnlistedKinds, ParametersFollowTheOneRuleAtEveryWindow)
{
    EXPECT_FALSE(DistParamValid(TDistKind::Gamma, 0, 0));
    EXPECT_TRUE(DistParamValid(TDistKind::Gamma, 0, 0.05));
    EXPECT_FALSE(DistParamValid(TDistKind::LogLogistic, 0, -1));
    EXPECT_TRUE(DistParamValid(TDistKind::LogLogistic, 1, 1e4));
    EXPECT_TRUE(DistParamValid(TDistKind::GenPareto, 2, -0.5));
    EXPECT_TRUE(DistParamValid(TDistKind::Weibull3, 2, -1e6));
    EXPECT_FALSE(DistParamValid(TDistKind::InvGauss, 1, 0));
    const std::string refusal = DistParamRefusal(TDistKind::Gamma, 1, -2, {2, -2}, '.');
    EXPECT_NE(refusal.find("theta"), std::string::npos) << refusal;
    EXPECT_THROW(DistEval(TDistKind::Laplace, TDistFunc::Density, {0, 0}, 1), EStat);
    EXPECT_THROW(DistUpper(TDistKind::GumbelMin, {0, -1}, 1), EStat);
    double lo = 0, hi = 0;
    ChartRange(TDistKind::Gamma, {2.5, 1.5}, lo, hi);
    EXPECT_NEAR(Rel(lo, DistEval(TDistKind::Gamma, TDistFunc::Inverse, {2.5, 1.5}, 0.001)), 0, tol::Tol0);
    EXPECT_NEAR(Rel(hi, DistEval(TDistKind::Gamma, TDistFunc::Inverse, {2.5, 1.5}, 0.999)), 0, tol::Tol0);
    for (int k = FirstUnlisted; k < DistKindCount; ++k)
        for (int i = 0; i < ParamCount(static_cast<TDistKind>(k)); ++i) {
            std::string hint;
            DistParamHint(static_cast<TDistKind>(k), i, hint);
            EXPECT_FALSE(hint.empty()) << DistKindName[k] << " " << i;
        }
}
