// Beyond 4096 units from their start the Simpson helpers go on with a bounded continuation:
// every evaluation ends, and distribution values stay within 1e-9 of the true ones.
#include <gtest/gtest.h>

#include <boost/math/distributions/cauchy.hpp>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/lognormal.hpp>
#include <boost/math/distributions/students_t.hpp>

#include "Oracle.h"
#include "Tolerances.h"
#include "Family.h"
#include "SimpsonWalk.h"
#include "StatInternal.h"

namespace bm = boost::math;

TEST(BoundedSpans, FarDistributionValuesStayTrue)
{
    EXPECT_REL(Eval(TDistKind::Cauchy, Dist, {0, 1}, 1e9), bm::cdf(bm::cauchy_distribution<double>(0, 1), 1e9), tol::Tol0);
    EXPECT_REL(Eval(TDistKind::Cauchy, Dist, {0, 1}, -1e9), bm::cdf(bm::cauchy_distribution<double>(0, 1), -1e9), tol::Tol0);
    EXPECT_REL(Eval(TDistKind::Cauchy, Dist, {0, 1}, 5000), bm::cdf(bm::cauchy_distribution<double>(0, 1), 5000.0), tol::Tol0);
    EXPECT_REL(Eval(TDistKind::Cauchy, Dist, {3, 1e6}, 1e6), bm::cdf(bm::cauchy_distribution<double>(3, 1e6), 1e6), tol::Tol0);
    EXPECT_REL(Eval(TDistKind::Cauchy, Dist, {0, 1}, 1.7e308), 1.0, tol::Tol0);
    EXPECT_REL(Eval(TDistKind::Student, Dist, {1}, 1e6), bm::cdf(bm::students_t_distribution<double>(1), 1e6), tol::Tol3);
    EXPECT_ABS(Eval(TDistKind::Student, Dist, {2}, -3e7), bm::cdf(bm::students_t_distribution<double>(2), -3e7), tol::Tol2);
    EXPECT_REL(Eval(TDistKind::Chi2, Dist, {10}, 1e6), 1.0, tol::Tol3);
    EXPECT_REL(Eval(TDistKind::Chi2, Dist, {1000}, 5000), bm::cdf(bm::chi_squared_distribution<double>(1000), 5000.0), tol::Tol4);
    EXPECT_REL(Eval(TDistKind::NormalStd, Dist, {}, 1e9), 1.0, tol::Tol1);
    EXPECT_REL(Eval(TDistKind::LogNormal, Dist, {9, 0.5}, 30000), bm::cdf(bm::lognormal_distribution<double>(9, 0.5), 30000.0), tol::Tol1);
}

TEST(BoundedSpans, FarQuantilesBeyondTheSearchLimits)
{
    // The log-normal search stops at 100000: a larger median is the true one, e^12.
    EXPECT_REL(Eval(TDistKind::LogNormal, Inv, {12, 1}, 0.5), 162754.79141900392, tol::Tol1);
    // A quantile past the exact span is found by the continuation.
    const bm::lognormal_distribution<double> d(9, 0.5);
    const double q = Eval(TDistKind::LogNormal, Inv, {9, 0.5}, 0.7);
    EXPECT_REL(bm::cdf(d, q), 0.7, tol::Tol5);
    // Chi-square with many degrees of freedom: quantiles near n, inside the exact span.
    EXPECT_REL(Eval(TDistKind::Chi2, Inv, {1000}, 0.5), bm::quantile(bm::chi_squared_distribution<double>(1000), 0.5), tol::Tol3);
    // Quantiles beyond the walking limits of 50 are true.
    EXPECT_REL(Eval(TDistKind::Student, Inv, {1}, 0.999), 318.30883898555016, tol::Tol4);
    EXPECT_REL(Eval(TDistKind::F, Inv, {2, 2}, 0.99), 98.999999999999911, tol::Tol2);
}

// A start point so far out that a step of 2^-10 no longer moves x: the walk could never
// finish; the continuation gives the area instead, as exactly as doubles 1/64 apart allow.
TEST(BoundedSpans, StartPointsBeyondTheStepsResolution)
{
    EXPECT_REL(Eval(TDistKind::Cauchy, Dist, {1e14, 100}, 1e14 + 100), 0.75, tol::Tol9);
    EXPECT_REL(Eval(TDistKind::Cauchy, Dist, {-1e20, 1e19}, -9e19), bm::cdf(bm::cauchy_distribution<double>(-1e20, 1e19), -9e19), tol::Tol0);
    EXPECT_REL(Eval(TDistKind::Cauchy, Inv, {1e14, 100}, 0.75), 1e14 + 100, tol::Tol0);
}

// From where a walk may end in a tail, the density is exactly 0 and raises no error flag, as
// far as the doubles go, for any parameters.
TEST(BoundedSpans, WalksEndInTailsWhereTheDensityIsZero)
{
    struct Tail {
        simpson::TIntegrand grid;
        TVector params;
        double h;
    };
    const simpson::TIntegrand normal = Family(TDistKind::NormalStd).grid;
    const simpson::TIntegrand logNormal = Family(TDistKind::LogNormal).grid;
    std::vector<Tail> tails = {{normal, {}, SimpsonStep}, {normal, {}, -SimpsonStep}};
    for (double mu : {-1e300, -700.0, -3.0, 0.0, 2.5, 9.0, 700.0, 1e300})
        for (double ro : {5e-324, 1e-300, 1e-6, 0.5, 1.0, 30.0, 1e300, -1e-6, -2.0})
            tails.push_back({logNormal, {mu, ro}, SimpsonStep});
    for (double n : {-3.0, 1.0, 2.0, 3.5, 10.0, 100.0, 511.0, 1022.0, 1023.0, 1024.0, 1e9})
        tails.push_back({Family(TDistKind::Chi2).grid, {n}, SimpsonStep});
    int ending = 0;
    for (const Tail& t : tails) {
        const simpson::ZeroTail tail = simpson::ZeroTailOf(t.grid, t.params, t.h);
        if (std::isinf(tail.from))
            continue;
        ++ending;
        const double d = t.h > 0 ? 1 : -1;
        for (double x : {tail.from, tail.from + d * 0x1p-10, tail.from * 1.5 + d,
                         tail.from + d * 4096, d * 1e10, d * 1e300, d * 1.7e308, tail.to}) {
            if (!tail.Covers(x, x))
                continue;
            double f = 1;
            const int raised = FloatErrorsOf([&] { f = Settle(t.grid.density(t.params, x)); });
            EXPECT_EQ(f, 0.0) << t.params.size() << " " << x;  // -0 for a negative ro
            EXPECT_EQ(raised, 0) << x;
        }
    }
    EXPECT_GT(ending, 36);
}

// A whole log-normal way that lies where the density is 0 (left of its rise, or everywhere for
// a far mu) is found so; the density is 0 with no error flag at points all along it.
TEST(BoundedSpans, LogNormalWaysWhereTheDensityIsZeroThroughout)
{
    struct Way {
        TVector params;
        double from, to;
        bool zero;
    };
    const Way ways[] = {
        {{1e6, 1}, 0, 1.7e308, true},        {{1e300, 1e6}, 0, 1e300, true},
        {{-1e300, 1e-6}, 0, 1e300, true},    {{-1e6, -1}, 1e-300, 5000, true},
        {{10, 1e-6}, 0, 22000, true},        {{10, 1e-6}, 0, 23000, false},
        {{0, 1}, 0, 1e-300, true},           {{0, 1}, 0, 1e-3, false},
        {{1e300, 1e300}, 0, 1, false},
    };
    for (const Way& w : ways) {
        const simpson::ZeroTail tail =
            simpson::ZeroTailOf(Family(TDistKind::LogNormal).grid, w.params, SimpsonStep);
        EXPECT_EQ(tail.PathIsZero(w.from, w.to), w.zero) << w.params[0] << " " << w.params[1];
        if (!w.zero)
            continue;
        const double lo = std::log(std::max(w.from, 1e-320)), hi = std::log(w.to);
        for (int i = 0; i <= 200; ++i) {
            const double x = std::exp(lo + (hi - lo) * i / 200);
            double f = 1;
            const int raised = FloatErrorsOf([&] { f = Settle(LogNormalDensity(w.params, x)); });
            EXPECT_EQ(f, 0.0) << x;
            EXPECT_EQ(raised, 0) << x;
        }
    }
}
