#include <gtest/gtest.h>

#include <boost/math/distributions/lognormal.hpp>
#include <boost/math/distributions/normal.hpp>
#include <cmath>

#include "Tolerances.h"
#include "Stat_Lib.h"

namespace {
double Eval(TDistKind kind, TDistFunc mode, const TVector& params, double x)
{
    return DistEval(kind, mode, params, x);
}
constexpr auto Dens = TDistFunc::Density;
constexpr auto Dist = TDistFunc::Distribution;
constexpr auto Inv = TDistFunc::Inverse;
}  // namespace

// Simpson on 2^-10 panels is accurate to ~1e-15 here; the factor 0.398942280401433 differs
// from 1/sqrt(2 pi) by ~4e-16 relative, so distribution values hold to 1e-12.
TEST(NormalFamily, MatchesBoostOnAGrid)
{
    const boost::math::normal_distribution<double> std_normal(0, 1);
    for (double x = -8; x <= 8; x += 0.37) {
        EXPECT_REL(Eval(TDistKind::NormalStd, Dens, {}, x), boost::math::pdf(std_normal, x), tol::Tol1) << x;
        EXPECT_ABS(Eval(TDistKind::NormalStd, Dist, {}, x), boost::math::cdf(std_normal, x), tol::Tol1) << x;
    }
    for (const auto& [mu, ro] : {std::pair{0.0, 1.0}, {3.0, 2.0}, {-10.0, 0.25}, {100.0, 30.0}}) {
        const boost::math::normal_distribution<double> d(mu, ro);
        for (double z = -6; z <= 6; z += 0.5) {
            const double x = mu + z * ro;
            EXPECT_REL(Eval(TDistKind::Normal, Dens, {mu, ro}, x), boost::math::pdf(d, x), tol::Tol1) << mu << " " << ro << " " << x;
            EXPECT_ABS(Eval(TDistKind::Normal, Dist, {mu, ro}, x), boost::math::cdf(d, x), tol::Tol1) << x;
        }
    }
}

// The inverse stops when the next panel of 2^-31 would pass the target, so it is within
// about 2^-31 of the true quantile: 1e-9 absolute (scaled by ro for Normal).
TEST(NormalFamily, QuantilesMatchBoostAwayFromTheEnds)
{
    const boost::math::normal_distribution<double> std_normal(0, 1);
    for (double p : {1e-6, 1e-4, 0.01, 0.1, 0.3, 0.49, 0.51, 0.7, 0.9, 0.99, 0.9999, 1 - 1e-6}) {
        EXPECT_ABS(Eval(TDistKind::NormalStd, Inv, {}, p), boost::math::quantile(std_normal, p), tol::Tol7) << p;
        const boost::math::normal_distribution<double> d(3, 2);
        EXPECT_REL(Eval(TDistKind::Normal, Inv, {3, 2}, p), boost::math::quantile(d, p), tol::Shown);
    }
}

TEST(NormalFamily, LogNormalMatchesBoost)
{
    for (const auto& [mu, ro] : {std::pair{0.0, 1.0}, {1.0, 0.5}, {-0.5, 0.3}}) {
        const boost::math::lognormal_distribution<double> d(mu, ro);
        for (double x : {0.01, 0.1, 0.5, 1.0, 2.0, 5.0, 10.0}) {
            EXPECT_REL(Eval(TDistKind::LogNormal, Dens, {mu, ro}, x), boost::math::pdf(d, x), tol::Tol2) << x;
            EXPECT_ABS(Eval(TDistKind::LogNormal, Dist, {mu, ro}, x), boost::math::cdf(d, x), tol::Tol5) << mu << " " << ro << " " << x;
        }
        for (double p : {0.01, 0.2, 0.5, 0.8, 0.99})
            EXPECT_REL(Eval(TDistKind::LogNormal, Inv, {mu, ro}, p), boost::math::quantile(d, p), tol::Shown) << p;
    }
}

TEST(NormalFamily, ListedValuesAndFixedResults)
{
    EXPECT_EQ(Eval(TDistKind::NormalStd, Dens, {}, 0), static_cast<double>(0.398942280401433L));
    EXPECT_EQ(Eval(TDistKind::Normal, Dens, {0, 2}, 0),
              static_cast<double>(0.398942280401433L) / 2);
    EXPECT_EQ(Eval(TDistKind::NormalStd, Dist, {}, 0), 0.5);
    EXPECT_EQ(Eval(TDistKind::NormalStd, Dist, {}, -1), 1 - Eval(TDistKind::NormalStd, Dist, {}, 1));
    EXPECT_REL(Eval(TDistKind::NormalStd, Dist, {}, 1.959964), 0.975, tol::Tol7);
    EXPECT_REL(Eval(TDistKind::NormalStd, Inv, {}, 0.975), 1.95996398, tol::Tol8);
    EXPECT_EQ(Eval(TDistKind::NormalStd, Inv, {}, 0.025), -Eval(TDistKind::NormalStd, Inv, {}, 0.975));
    for (double p : {0.5, 0.0, 1.0, -3.0, 2.0})
        EXPECT_EQ(Eval(TDistKind::NormalStd, Inv, {}, p), 0.0) << p;
    EXPECT_EQ(Eval(TDistKind::Normal, Inv, {3, 2}, 0.5), 3.0);
    EXPECT_EQ(Eval(TDistKind::Normal, Inv, {3, 2}, 1.0), 3.0);
    EXPECT_REL(Eval(TDistKind::Normal, Inv, {3, 2}, 0.975), 3 + 2 * 1.95996398, tol::Tol8);
    // A negative standard deviation gives a negative density and a falling distribution.
    EXPECT_LT(Eval(TDistKind::Normal, Dens, {0, -1}, 0.5), 0);
    EXPECT_GT(Eval(TDistKind::Normal, Dist, {0, -1}, -1), Eval(TDistKind::Normal, Dist, {0, -1}, 1));
}

TEST(NormalFamily, LogNormalEdges)
{
    EXPECT_EQ(Eval(TDistKind::LogNormal, Dens, {0, 1}, 0), 0.0);
    EXPECT_EQ(Eval(TDistKind::LogNormal, Dens, {0, 1}, -1), 0.0);
    EXPECT_EQ(Eval(TDistKind::LogNormal, Dist, {0, 1}, 0), 0.0);
    EXPECT_EQ(Eval(TDistKind::LogNormal, Inv, {0, 1}, 0), 0.0);
    EXPECT_EQ(Eval(TDistKind::LogNormal, Inv, {0, 1}, 1), 0.0);
    EXPECT_REL(Eval(TDistKind::LogNormal, Inv, {0, 1}, 0.5), 1.0, tol::Tol7);
}

// Near p = 1 the area of a halved step falls below the resolution of the accumulated area;
// the listed walk then ends where its progress stopped (~1e-13 over a density of ~1e-11 is
// ~0.01 in x): the true quantile answers, in both tails.
TEST(NormalFamily, QuantilesNextToOneEndAtTheirPoint)
{
    const boost::math::normal_distribution<double> std_normal(0, 1);
    for (double q : {1e-12, 1e-13, 1e-14}) {
        EXPECT_REL(Eval(TDistKind::NormalStd, Inv, {}, 1 - q), boost::math::quantile(std_normal, 1 - q), tol::Shown) << q;
        EXPECT_REL(Eval(TDistKind::NormalStd, Inv, {}, q), boost::math::quantile(std_normal, q), tol::Shown) << q;
    }
}
