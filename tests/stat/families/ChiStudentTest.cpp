#include <gtest/gtest.h>

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/students_t.hpp>

#include <cstdio>
#include <cstdlib>

#include "Oracle.h"
#include "Tolerances.h"

namespace bm = boost::math;

// Chi-square: for odd n the density behaves like x^(n/2 - 1) at 0, so the first panels err:
// for n = 5 the panel from 0 by about 1e-11 at every x; for n = 3 the walk back from 0.25 by
// less than 1e-12 from x = 0.05 on, where these points lie, but by up to 3e-7 below x = 0.001
// (more than the value itself below 1e-4), where the incomplete gamma function answers. A
// user reads every value and quantile true to 1e-9 relative.
TEST(Chi2, MatchesBoost)
{
    for (int n : {1, 2, 3, 4, 5, 10, 30, 100}) {
        const bm::chi_squared_distribution<double> d(n);
        const double tol = n <= 5 ? tol::Tol5 : tol::Tol3;
        for (double x : {0.05, 0.3, 1.0, 2.5, 5.0, 9.0, 20.0, 60.0, 130.0}) {
            EXPECT_REL(Eval(TDistKind::Chi2, Dens, {double(n)}, x), bm::pdf(d, x), tol::Tol2)
                << n << " " << x;
            EXPECT_ABS(Eval(TDistKind::Chi2, Dist, {double(n)}, x), bm::cdf(d, x), tol)
                << n << " " << x;
            EXPECT_REL(Eval(TDistKind::Chi2, Dist, {double(n)}, x), bm::cdf(d, x), tol::Shown)
                << n << " " << x;
            EXPECT_REL(DistUpper(TDistKind::Chi2, {double(n)}, x), bm::cdf(bm::complement(d, x)), tol::Tol7)
                << n << " " << x;
        }
        for (double p : {1e-12, 0.05, 0.3, 0.5, 0.8, 0.95, 0.99, 1 - 1e-12})
            EXPECT_REL(Eval(TDistKind::Chi2, Inv, {double(n)}, p), bm::quantile(d, p), tol::Shown)
                << n << " " << p;
    }
}

// Student: smooth densities, Simpson-grid tolerances; every value and quantile true to 1e-9
// relative, beyond the listed search's 50 too.
TEST(Student, MatchesBoost)
{
    for (int n : {1, 2, 3, 7, 30, 200}) {
        const bm::students_t_distribution<double> d(n);
        for (double x : {-30.0, -4.0, -1.0, -0.2, 0.0, 0.7, 2.0, 6.0, 25.0}) {
            EXPECT_REL(Eval(TDistKind::Student, Dens, {double(n)}, x), bm::pdf(d, x), tol::Tol2);
            EXPECT_ABS(Eval(TDistKind::Student, Dist, {double(n)}, x), bm::cdf(d, x), tol::Tol2)
                << n << " " << x;
            EXPECT_REL(Eval(TDistKind::Student, Dist, {double(n)}, x), bm::cdf(d, x), tol::Shown)
                << n << " " << x;
        }
        for (double p : {1e-9, 0.01, 0.1, 0.4, 0.6, 0.9, 0.99, 1 - 1e-9})
            EXPECT_REL(Eval(TDistKind::Student, Inv, {double(n)}, p), bm::quantile(d, p), tol::Shown)
                << n << " " << p;
    }
}

TEST(Chi2, ListedEdges)
{
    for (double n : {1.0, 2.0, 3.0, 10.0}) {
        EXPECT_EQ(Eval(TDistKind::Chi2, Dens, {n}, 0), 0.0);
        EXPECT_EQ(Eval(TDistKind::Chi2, Dens, {n}, -1), 0.0);
        EXPECT_EQ(Eval(TDistKind::Chi2, Inv, {n}, 0), 0.0);
        EXPECT_EQ(Eval(TDistKind::Chi2, Inv, {n}, 1), 0.0);
    }
    EXPECT_REL(Eval(TDistKind::Chi2, Dens, {1}, 0.25), 0.70413065, tol::Tol8);
    EXPECT_REL(Eval(TDistKind::Chi2, Dist, {2}, 2), 0.6321205588, tol::Tol6);
    EXPECT_REL(Eval(TDistKind::Chi2, Dist, {1}, 3.841459), 0.95, tol::Tol8);
    EXPECT_REL(Eval(TDistKind::Chi2, Dist, {4}, 9.487729), 0.95, tol::Tol7);
    EXPECT_EQ(Eval(TDistKind::Chi2, Dist, {1}, 0.25), 0.382924922548026);
    EXPECT_REL(Eval(TDistKind::Chi2, Inv, {1}, 0.95), 3.841459, tol::Tol9);
    EXPECT_REL(Eval(TDistKind::Chi2, Inv, {2}, 0.1), 0.2107210, tol::Tol10);
    EXPECT_EQ(Eval(TDistKind::Chi2, Inv, {3}, 0.0308595957837268), 0.25);
    // The listed downward walk stopped at its first panel, 2^-10: the true quantile answers.
    EXPECT_REL(Eval(TDistKind::Chi2, Inv, {1}, 0.01), 1.5708785790970198e-4, tol::Tol7);
    EXPECT_REL(Eval(TDistKind::Chi2, Inv, {10}, 0.5), 9.341818, tol::Tol9);
    // A fractional N is truncated; N below 1 gives 0 everywhere.
    EXPECT_EQ(Eval(TDistKind::Chi2, Dist, {2.7}, 2), Eval(TDistKind::Chi2, Dist, {2}, 2));
    for (double n : {0.0, -3.0})
        for (auto mode : {Dens, Dist, Inv})
            EXPECT_EQ(Eval(TDistKind::Chi2, mode, {n}, 0.5), 0.0);
}

TEST(Student, ListedEdgesAndFarQuantiles)
{
    EXPECT_REL(Eval(TDistKind::Student, Dens, {1}, 0), 1 / M_PI, tol::Tol1);
    EXPECT_REL(Eval(TDistKind::Student, Dist, {1}, 1), 0.75, tol::Tol0);
    EXPECT_EQ(Eval(TDistKind::Student, Dist, {5}, -1.3),
              1 - Eval(TDistKind::Student, Dist, {5}, 1.3));
    EXPECT_REL(Eval(TDistKind::Student, Inv, {1}, 0.75), 1, tol::Tol0);
    EXPECT_REL(Eval(TDistKind::Student, Inv, {10}, 0.975), 2.228139, tol::Tol10);
    // Beyond the listed walking limit of 50 the true quantile answers.
    EXPECT_REL(Eval(TDistKind::Student, Inv, {1}, 0.999), 318.30883898555016, tol::Tol4);
    EXPECT_REL(Eval(TDistKind::Student, Inv, {1}, 0.001), -318.30883898555044, tol::Tol4);
    for (double p : {0.5, 0.0, 1.0})
        EXPECT_EQ(Eval(TDistKind::Student, Inv, {4}, p), 0.0);
}

TEST(Student, FloatingPointFaultsReachTheCaller)
{
    EXPECT_EQ(MathErrorOf(TDistKind::Student, Dens, {0}, 1), "Floating point division by zero");
    // The distribution's first density value, at 0, is already 0/0.
    EXPECT_EQ(MathErrorOf(TDistKind::Student, Dist, {0}, 1), "Invalid floating point operation");
    // Where the listed y = x^2/n + 1 overflows, the true density answers (a subnormal number).
    EXPECT_REL(Eval(TDistKind::Student, Dens, {1}, 2e154), 7.9577471545947662e-310, tol::Tol4);
}

// Every row of the critical-value table but 310 and the end is the chi-square 0.95 quantile
// rounded to 7 significant digits.
TEST(ChiSquareCritical, RowsAreQuantilesToSevenDigits)
{
    std::vector<int> keys;
    for (int k = 1; k <= 120; ++k) keys.push_back(k);
    for (int k = 122; k <= 180; k += 2) keys.push_back(k);
    for (int k = 185; k <= 350; k += 5) keys.push_back(k);
    for (int k = 360; k <= 500; k += 10) keys.push_back(k);
    for (int k = 520; k <= 800; k += 20) keys.push_back(k);
    for (int k : {810, 830, 860, 880, 900, 920, 950, 970, 990, 1024, 2048}) keys.push_back(k);
    for (int k : keys) {
        if (k == 310)
            continue;
        char text[32];
        std::snprintf(text, sizeof text, "%.7g",
                      bm::quantile(bm::chi_squared_distribution<double>(k), 0.95));
        EXPECT_EQ(ChiSquareCritical(k), std::strtod(text, nullptr)) << k;
    }
}
