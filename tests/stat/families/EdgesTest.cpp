// Values at the edges, where users look, against their truth from mpmath (50 digits, written
// down here): quantiles true in x beyond every walking limit, tails with their relative
// digits, upper tails as their own quantity, every degree of freedom from 1 to a million, and
// no error where the value is an ordinary number or beyond the doubles.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <utility>
#include <vector>

#include "Families.h"
#include "Oracle.h"
#include "Tolerances.h"

namespace {
using K = TDistKind;
// DistEval's three modes (density, distribution, quantile), then the upper tail and its
// inverse, by the names scipy gives them.
enum Mode { Pdf, Cdf, Ppf, Sf, Isf };

struct Row {
    const char* region;
    TDistKind kind;
    Mode mode;
    TVector params;
    double x, truth;
};

double Value(const Row& r)
{
    switch (r.mode) {
    case Sf:
        return DistUpper(r.kind, r.params, r.x);
    case Isf:
        return DistUpperInverse(r.kind, r.params, r.x);
    default:
        return DistEval(r.kind, static_cast<TDistFunc>(r.mode), r.params, r.x);
    }
}

// Every row within 1e-9 relative (Tol7 is 9.3e-10), probabilities inside [0, 1].
void ExpectTrue(const Row* rows, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i) {
        const Row& r = rows[i];
        const double v = Value(r);
        EXPECT_REL(v, r.truth, tol::Tol7) << r.region;
        if (r.mode == Cdf || r.mode == Sf) {
            EXPECT_TRUE(v >= 0 && v <= 1) << r.region;
        }
    }
}
}  // namespace

TEST(Edges, QuantilesAreTrueInXBeyondTheWalkingLimits)
{
    const Row rows[] = {
        {"normal quantile, far left", K::NormalStd, Ppf, {}, 1e-15, -7.9413453261709968},
        {"normal quantile, far left", K::NormalStd, Ppf, {}, 1e-100, -2.1273453560965324e+1},
        {"normal quantile, far left", K::NormalStd, Ppf, {}, 1e-300, -3.7047096299361199e+1},
        {"normal quantile next to 1", K::NormalStd, Ppf, {}, 0.999999999999, 7.0344869100478352},
        {"normal(5, 2) quantile at 1e-10", K::Normal, Ppf, {5.0, 2.0}, 1e-10, -7.7226818048081124},
        {"Cauchy quantile beyond 100", K::Cauchy, Ppf, {0.0, 1.0}, 0.001, -3.1830883898555044e+2},
        {"Cauchy quantile beyond 100", K::Cauchy, Ppf, {0.0, 1.0}, 0.99999, 3.1830988608051955e+4},
        {"Student(5) quantile at 1e-10", K::Student, Ppf, {5.0}, 1e-10, -1.5682559270889432e+2},
        {"Student(2) quantile at 1e-6", K::Student, Ppf, {2.0}, 1e-06, -7.0710572052593382e+2},
        {"log-normal median beyond 1e5", K::LogNormal, Ppf, {12.0, 1.0}, 0.5, 1.6275479141900392e+5},
        {"log-normal of tiny spread", K::LogNormal, Ppf, {1.6e-76, 2e-105}, 0.99999998, 1.0},
        {"log-normal of wide spread", K::LogNormal, Ppf, {0.0, 30.0}, 0.1, 2.0085229768563722e-17},
        {"log-normal of wider spread", K::LogNormal, Ppf, {0.0, 500.0}, 0.1, 5.1833842498886410e-279},
        {"chi-square(2) quantile below the first panel", K::Chi2, Ppf, {2.0}, 1.2e-08, 2.4000000144000001e-8},
        {"chi-square(7) quantile at 1e-20", K::Chi2, Ppf, {7.0}, 1e-20, 7.7842082045353198e-6},
        {"F(5, 10) quantile at 1e-12", K::F, Ppf, {5.0, 10.0}, 1e-12, 8.9721396668572137e-6},
        {"Beta(2, 3) quantile at 1e-15", K::Beta, Ppf, {2.0, 3.0}, 1e-15, 1.290994459846917e-8},
        {"Beta(0.5, 0.7) quantile near 0", K::Beta, Ppf, {0.5, 0.7}, 1e-05, 1.5697528675528466e-10},
        {"Beta(0.01, 2) median", K::Beta, Ppf, {0.01, 2.0}, 0.5, 2.9165072162830714e-31},
        {"Beta(2, 0.3) quantile near 1", K::Beta, Ppf, {2.0, 0.3}, 0.999, 9.9999999995829493e-1},
        {"exponential quantile at 1e-300", K::Exponential, Ppf, {1.0}, 1e-300, 1.0e-300},
        {"Weibull(2, 1) quantile at 1e-20", K::Weibull, Ppf, {2.0, 1.0}, 1e-20, 9.9999999999999997e-11},
        {"Rayleigh quantile at 1e-30", K::Rayleigh, Ppf, {1.0}, 1e-30, 1.4142135623730951e-15},
    };
    ExpectTrue(rows, std::size(rows));
}

TEST(Edges, TailsKeepTheirRelativeDigitsForEveryDegreeOfFreedom)
{
    const Row rows[] = {
        {"normal lower tail", K::NormalStd, Cdf, {}, -10.0, 7.6198530241605261e-24},
        {"normal lower tail", K::NormalStd, Cdf, {}, -30.0, 4.9067139271481871e-198},
        {"Student(1) far lower tail", K::Student, Cdf, {1.0}, -10000000000.0, 3.1830988618379067e-11},
        {"chi-square(3) near 0", K::Chi2, Cdf, {3.0}, 1e-06, 2.6596144047917993e-10},
        {"exponential near 0", K::Exponential, Cdf, {1.0}, 1e-20, 9.9999999999999995e-21},
        {"Rayleigh near 0", K::Rayleigh, Cdf, {1.0}, 1e-10, 5.0000000000000004e-21},
        {"Weibull near 0", K::Weibull, Cdf, {1.5, 2.0}, 1e-12, 3.5355339059327375e-19},
        {"chi-square(5) at the edge of 1", K::Chi2, Cdf, {5.0}, 150.58968413567666, 1.0},
        {"chi-square(1) near 0", K::Chi2, Cdf, {1.0}, 1e-06, 7.9788442782212515e-4},
        {"chi-square(1) near 0", K::Chi2, Cdf, {1.0}, 0.0001, 7.9787126292632076e-3},
        {"chi-square(1500)", K::Chi2, Cdf, {1500.0}, 1500.0, 5.0485580666423207e-1},
        {"chi-square(1e6) at its mean", K::Chi2, Cdf, {1000000.0}, 1000000.0, 5.001880631966055e-1},
        {"Student(5000)", K::Student, Cdf, {5000.0}, 1.0, 8.4132055020598498e-1},
        {"GEV at its location, tiny scale", K::ExtrValue, Cdf, {1.0, 1e-20, 1.0}, 1.0, 3.6787944117144232e-1},
        {"GEV at its location, tiny scale", K::ExtrValue, Pdf, {1.0, 1e-20, 1.0}, 1.0, 3.6787944117144234e+19},
        {"Chi2(1) density near 0", K::Chi2, Pdf, {1.0}, 1e-300, 3.9894228040143267e+149},
        {"Chi2(1500) density", K::Chi2, Pdf, {1500.0}, 1400.0, 1.3632357572434826e-3},
        {"Student(1e6) density", K::Student, Pdf, {1000000.0}, 3.0, 4.4319171056720422e-3},
    };
    ExpectTrue(rows, std::size(rows));
}

TEST(Edges, TheUpperTailIsAQuantityOfItsOwn)
{
    const Row rows[] = {
        {"normal upper tail at 8", K::NormalStd, Sf, {}, 8.0, 6.2209605742717841e-16},
        {"normal upper tail at 30", K::NormalStd, Sf, {}, 30.0, 4.9067139271481871e-198},
        {"chi-square(3) upper at 500: the found alpha", K::Chi2, Sf, {3.0}, 500.0, 4.7716720319127585e-108},
        {"chi-square(1) upper near 0", K::Chi2, Sf, {1.0}, 1e-05, 9.974768716831944e-1},
        {"Student(3) upper tail", K::Student, Sf, {3.0}, 100000.0, 1.1026577904466273e-15},
        {"F(4, 6) upper tail", K::F, Sf, {4.0, 6.0}, 10000.0, 1.3492408982952861e-11},
        {"Beta(2, 3) upper tail near 1", K::Beta, Sf, {2.0, 3.0}, 0.999999, 3.9999970003450676e-18},
        {"Weibull upper tail", K::Weibull, Sf, {2.0, 1.0}, 20.0, 1.9151695967140057e-174},
        {"log-normal upper tail", K::LogNormal, Sf, {0.0, 1.0}, 10000000000.0, 1.2841756306435297e-117},
        {"Cauchy upper tail", K::Cauchy, Sf, {0.0, 1.0}, 1e+300, 3.1830988618379065e-301},
        {"normal upper quantile at 1e-12", K::NormalStd, Isf, {}, 1e-12, 7.0344838253011319},
        {"chi-square(4) upper quantile at 1e-200", K::Chi2, Isf, {4.0}, 1e-200, 9.333295406707144e+2},
        {"Student(5) upper quantile at 1e-300", K::Student, Isf, {5.0}, 1e-300, 1.5683925590993378e+60},
        {"Beta(2, 5) upper quantile at 1e-10", K::Beta, Isf, {2.0, 5.0}, 1e-10, 9.9300355133656779e-1},
        {"exponential upper quantile at 1e-300", K::Exponential, Isf, {2.0}, 1e-300, 3.4538776394910685e+2},
    };
    ExpectTrue(rows, std::size(rows));
    // Never above 1, and never 1 - P(X <= x): the found alpha of a tiny statistic.
    EXPECT_LE(DistUpper(K::Chi2, {1}, 1e-300), 1.0);
    EXPECT_EQ(DistUpper(K::NormalStd, {}, -40), 1.0);
    // Outside (0, 1) the upper quantile is the listed one of 1 - q.
    EXPECT_EQ(DistUpperInverse(K::Exponential, {2}, 0), DistEval(K::Exponential, TDistFunc::Inverse, {2}, 1));
}

// A true value beyond the double range is the infinity of its sign, raising no error; one
// below the smallest double is 0.
TEST(Edges, BeyondTheDoublesIsInfiniteAndBelowIsZero)
{
    EXPECT_EQ(Eval(K::Pareto, Inv, {1e300, 0.1}, 0.99), HUGE_VAL);
    EXPECT_EQ(Eval(K::Cauchy, Inv, {0, 1e150}, 1e-300), -HUGE_VAL);
    EXPECT_EQ(Eval(K::LogNormal, Inv, {706, 2}, 0.999), HUGE_VAL);
    EXPECT_EQ(Eval(K::LogNormal, Inv, {0, 2000}, 0.1), 0.0);  // 7.2e-1114
    EXPECT_EQ(Eval(K::Chi2, Inv, {1}, 1e-300), 0.0);  // pi/2 1e-600
    EXPECT_EQ(Eval(K::NormalStd, Dist, {}, -40), 0.0);
    EXPECT_EQ(Eval(K::Normal, Dens, {0, 1e-320}, 0), HUGE_VAL);
    // The extreme-value quantile beyond the doubles on the side of xi: (-ln p)^-xi passes the
    // extended range (1e-8^-700 is 1e5600), or sigma times it does; the lower tail of a
    // negative xi runs to minus infinity.
    EXPECT_EQ(DistUpperInverse(K::ExtrValue, {0, 1, 30}, 1e-250), HUGE_VAL);
    EXPECT_EQ(DistUpperInverse(K::ExtrValue, {0, 1, 700}, 1e-8), HUGE_VAL);
    EXPECT_EQ(Eval(K::ExtrValue, Inv, {0, 1, 700}, 0.99999999), HUGE_VAL);
    EXPECT_EQ(Eval(K::ExtrValue, Inv, {0, 1, -700}, 1e-300), -HUGE_VAL);
    EXPECT_EQ(Eval(K::ExtrValue, Inv, {0, 1e308, 1.5}, 1 - 1e-12), HUGE_VAL);
    // Just inside: (1e-200^-2 - 1) / 2 is 5e399, times 1e-300.
    EXPECT_REL(DistUpperInverse(K::ExtrValue, {0, 1e-300, 2}, 1e-200), 5e99, tol::Tol1);
}

// The likelihood's terms: the logarithm of each kind's density wherever the density is a
// double, and beyond, where it is not (a normal value 40 deviations out).
TEST(Edges, LogDensitiesAreTheDensitiesLogarithms)
{
    const std::vector<std::pair<K, TVector>> laws = {
        {K::UniformStd, {}}, {K::Uniform, {-1, 3}}, {K::NormalStd, {}}, {K::Normal, {2, 0.5}},
        {K::Chi2, {5}}, {K::Student, {3}}, {K::LogNormal, {1, 0.7}}, {K::Exponential, {2}},
        {K::F, {4, 9}}, {K::Cauchy, {1, 2}}, {K::Logistic, {-1, 3}}, {K::Beta, {2.5, 0.8}},
        {K::Rayleigh, {1.5}}, {K::Weibull, {0.7, 2}}, {K::Pareto, {1, 2.5}},
        {K::ExtrValue, {0, 1, 0.3}}};
    for (const auto& [kind, params] : laws) {
        const TFamily& family = Family(kind);
        for (double p : {1e-6, 0.01, 0.3, 0.5, 0.7, 0.99, 1 - 1e-6}) {
            const double x = family.sound.inverse(params, p);
            const long double f = family.sound.density(params, x);
            EXPECT_NEAR(static_cast<double>(family.sound.logDensity(params, x)),
                        static_cast<double>(std::log(f)), 1e-12 * std::max(1.0, std::fabs(std::log(static_cast<double>(f)))))
                << DistKindName[KindIndex(kind)] << " at " << x;
        }
    }
    EXPECT_NEAR(static_cast<double>(Family(K::NormalStd).sound.logDensity({}, 40)),
                -800 - 0.91893853320467274, 1e-12);
    EXPECT_EQ(Family(K::Exponential).sound.logDensity({2}, -1), -HUGE_VALL);
    // The uniform's ends count as inside: the likelihood of its extremes' estimates.
    EXPECT_NEAR(static_cast<double>(Family(K::Uniform).sound.logDensity({-1, 3}, 3)), -std::log(4.0), 1e-15);
}
