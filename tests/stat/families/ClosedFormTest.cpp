#include <gtest/gtest.h>

#include <boost/math/distributions/cauchy.hpp>
#include <boost/math/distributions/exponential.hpp>
#include <boost/math/distributions/extreme_value.hpp>
#include <boost/math/distributions/logistic.hpp>
#include <boost/math/distributions/pareto.hpp>
#include <boost/math/distributions/rayleigh.hpp>
#include <boost/math/distributions/uniform.hpp>
#include <boost/math/distributions/weibull.hpp>
#include <cmath>
#include <functional>

#include "Oracle.h"
#include "Tolerances.h"
#include "StatInternal.h"

namespace bm = boost::math;

namespace {
struct Case {
    const char* what;
    TDistKind kind;
    TVector params;
    std::function<double(double)> pdf, cdf, quantile;
    std::vector<double> xs;
    double tolerance;  // closed forms: a few ulps of extended rounding; Cauchy: its Simpson grid
};

template <class D>
Case Make(const char* what, TDistKind kind, TVector params, D d, std::vector<double> xs,
          double tolerance = tol::Tol1)
{
    return {what,
            kind,
            std::move(params),
            [d](double x) { return bm::pdf(d, x); },
            [d](double x) { return bm::cdf(d, x); },
            [d](double p) { return bm::quantile(d, p); },
            std::move(xs),
            tolerance};
}

std::vector<Case> Cases()
{
    return {
        Make("uniform", TDistKind::Uniform, {2, 5}, bm::uniform_distribution<double>(2, 5),
             {2.1, 3, 4.99}),
        Make("exponential", TDistKind::Exponential, {1.5}, bm::exponential_distribution<double>(1.5),
             {0.01, 0.5, 2, 10}),
        Make("cauchy", TDistKind::Cauchy, {1, 2}, bm::cauchy_distribution<double>(1, 2),
             {-20, -3, 0.5, 1.5, 4, 30}, tol::Tol2),
        Make("cauchy std", TDistKind::Cauchy, {0, 1}, bm::cauchy_distribution<double>(0, 1),
             {-5, -0.5, 0.25, 3}, tol::Tol2),
        Make("logistic", TDistKind::Logistic, {1, 0.7}, bm::logistic_distribution<double>(1, 0.7),
             {-5, 0, 1, 2.5, 9}),
        Make("rayleigh", TDistKind::Rayleigh, {2}, bm::rayleigh_distribution<double>(2),
             {0.1, 1, 3, 8}),
        Make("weibull", TDistKind::Weibull, {1.7, 3}, bm::weibull_distribution<double>(1.7, 3),
             {0.05, 1, 3, 9}),
        Make("weibull integral shape", TDistKind::Weibull, {3, 0.5},
             bm::weibull_distribution<double>(3, 0.5), {0.1, 0.5, 1.2}),
        Make("pareto", TDistKind::Pareto, {2, 3.5}, bm::pareto_distribution<double>(2, 3.5),
             {2, 2.5, 4, 40}),
        Make("gumbel", TDistKind::ExtrValue, {1, 2, 0}, bm::extreme_value_distribution<double>(1, 2),
             {-4, 0, 1, 3, 12}),
    };
}
}  // namespace

TEST(ClosedForms, MatchBoost)
{
    for (const Case& c : Cases()) {
        for (double x : c.xs) {
            EXPECT_REL(Eval(c.kind, Dens, c.params, x), c.pdf(x), tol::Tol1) << c.what << " " << x;
            EXPECT_REL(Eval(c.kind, Dist, c.params, x), c.cdf(x), c.tolerance)
                << c.what << " " << x;
        }
        for (double p : {0.001, 0.1, 0.45, 0.55, 0.9, 0.99}) {
            // Cauchy quantiles are true to 1e-9 relative, beyond the listed search's limit too.
            const double tol = c.kind == TDistKind::Cauchy ? tol::Shown : tol::Tol0;
            EXPECT_REL(Eval(c.kind, Inv, c.params, p), c.quantile(p), tol) << c.what << " " << p;
        }
    }
}

// No oracle has the generalised extreme value distribution with xi != 0: check that the
// three functions agree with each other (inverse of the distribution, derivative of it).
TEST(ClosedForms, ExtrValueFunctionsAgreeForNonzeroShape)
{
    for (double xi : {-0.4, 0.3, 1.2}) {
        const TVector params{1, 2, xi};
        for (double p : {0.01, 0.2, 0.5, 0.8, 0.99}) {
            const double x = Eval(TDistKind::ExtrValue, Inv, params, p);
            EXPECT_REL(Eval(TDistKind::ExtrValue, Dist, params, x), p, tol::Tol1) << xi << " " << p;
            const double h = 1e-6;
            const double slope = (Eval(TDistKind::ExtrValue, Dist, params, x + h) -
                                  Eval(TDistKind::ExtrValue, Dist, params, x - h)) / (2 * h);
            EXPECT_ABS(Eval(TDistKind::ExtrValue, Dens, params, x), slope, tol::Tol6) << xi << " " << p;
        }
    }
}

TEST(ClosedForms, FixedResultsAtAndOutsideTheGuards)
{
    const TVector none;
    EXPECT_EQ(Eval(TDistKind::UniformStd, Dens, none, 0), 0.0);
    EXPECT_EQ(Eval(TDistKind::UniformStd, Dens, none, 1), 0.0);
    EXPECT_EQ(Eval(TDistKind::UniformStd, Dist, none, 0), 0.0);
    EXPECT_EQ(Eval(TDistKind::UniformStd, Dist, none, 1), 1.0);
    EXPECT_EQ(Eval(TDistKind::UniformStd, Inv, none, 0), 0.0);
    EXPECT_EQ(Eval(TDistKind::UniformStd, Inv, none, 1), 0.0);
    EXPECT_EQ(Eval(TDistKind::Uniform, Dens, {2, 5}, 2), 0.0);
    EXPECT_EQ(Eval(TDistKind::Uniform, Dens, {2, 5}, 5), 0.0);
    EXPECT_EQ(Eval(TDistKind::Uniform, Dist, {2, 5}, 5), 1.0);
    EXPECT_EQ(Eval(TDistKind::Uniform, Inv, {2, 5}, 0.5), 3.5);
    EXPECT_EQ(Eval(TDistKind::Uniform, Inv, {2, 5}, 1), 0.0);
    EXPECT_EQ(Eval(TDistKind::Uniform, Dist, {5, 5}, 5), 1.0);  // min >= max: no division
    EXPECT_EQ(Eval(TDistKind::Exponential, Dens, {3}, 0), 0.0);
    EXPECT_EQ(Eval(TDistKind::Exponential, Dist, {3}, 0), 0.0);
    EXPECT_EQ(Eval(TDistKind::Cauchy, Dist, {1.5, 2}, 1.5), 0.5);
    EXPECT_EQ(Eval(TDistKind::Cauchy, Inv, {1.5, 2}, 0.5), 1.5);
    EXPECT_EQ(Eval(TDistKind::Logistic, Dist, {3, 2}, 3), 0.5);
    EXPECT_EQ(Eval(TDistKind::Logistic, Inv, {3, 2}, 0.5), 3.0);
    EXPECT_EQ(Eval(TDistKind::Rayleigh, Dist, {2}, 0), 0.0);
    EXPECT_EQ(Eval(TDistKind::Rayleigh, Dist, {2}, -1), 0.0);
    EXPECT_EQ(Eval(TDistKind::Rayleigh, Inv, {2}, 1), 0.0);
    EXPECT_EQ(Eval(TDistKind::Weibull, Inv, {2, 3}, 0), 1.0);
    EXPECT_EQ(Eval(TDistKind::Weibull, Inv, {2, 3}, 1), 1.0);
    EXPECT_EQ(Eval(TDistKind::Weibull, Inv, {2, 3}, -0.1), 0.0);
    // Where 1 - p rounds to 1, the listed limit 0 is replaced by the true quantile.
    EXPECT_REL(Eval(TDistKind::Weibull, Inv, {2, 3}, 1e-21), 9.4868329805051376e-11, tol::Tol1);
    EXPECT_DOUBLE_EQ(Eval(TDistKind::Pareto, Dens, {2, 3}, 2), 1.5);
    EXPECT_EQ(Eval(TDistKind::Pareto, Dist, {2, 3}, 2), 0.0);
    // The end of a bounded extreme-value support is outside it.
    EXPECT_EQ(Eval(TDistKind::ExtrValue, Dist, {0, 1, -0.5}, 2), 1.0);
    EXPECT_EQ(Eval(TDistKind::ExtrValue, Dens, {0, 1, -0.5}, 2), 0.0);
    EXPECT_EQ(Eval(TDistKind::ExtrValue, Dens, {0, 1, -0.5}, 3), 0.0);
    EXPECT_EQ(Eval(TDistKind::ExtrValue, Dist, {0, 1, 0.5}, -2), 0.0);
    EXPECT_EQ(Eval(TDistKind::ExtrValue, Dens, {0, 1, 0.5}, -2), 0.0);
    EXPECT_REL(Eval(TDistKind::ExtrValue, Inv, {1, 2, 0}, 0.3), 1 - 2 * std::log(-std::log(0.3)), tol::Tol0);
}

TEST(ClosedForms, CauchyQuantilesAreMirroredAndTrueBeyondTheSearchLimit)
{
    const TVector params{0.5, 1};
    for (double p : {0.05, 0.3, 0.45})
        EXPECT_REL(Eval(TDistKind::Cauchy, Inv, params, p) + Eval(TDistKind::Cauchy, Inv, params, 1 - p), 1.0, tol::Tol0);
    // The listed search stops at 100; the true quantile answers beyond.
    EXPECT_REL(Eval(TDistKind::Cauchy, Inv, {0, 1}, 0.999), 318.30883898555016, tol::Tol1);
    EXPECT_REL(Eval(TDistKind::Cauchy, Inv, {0, 1}, 0.001), -318.30883898555044, tol::Tol1);
    // Far left locations still search rightwards, up to a + 100 (1 + |a|).
    const double left = Eval(TDistKind::Cauchy, Inv, {-5, 1}, 0.75);
    EXPECT_REL(left, -4.0, tol::Tol6);
}

TEST(ClosedForms, ExtremeArgumentsReachTheCallerAsErrors)
{
    EXPECT_EQ(MathErrorOf(TDistKind::Pareto, Inv, {1, 0}, 0.5), "Floating point division by zero");
}
