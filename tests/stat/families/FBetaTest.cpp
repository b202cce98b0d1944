#include <gtest/gtest.h>

#include <boost/math/distributions/beta.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "Beta.h"
#include "Oracle.h"
#include "Tolerances.h"
#include "StatInternal.h"

namespace bm = boost::math;

// F: for n = 3 the density behaves like sqrt(x) at 0, where Simpson's first panel errs by
// about 2e-6 (h^1.5 with h = 2^-10): there the incomplete Beta function gives the value;
// other n are smooth to 1e-11. Every value and quantile a user reads is true to 1e-9
// relative, beyond the listed search's 50 too.
TEST(FDistribution, MatchesBoost)
{
    for (const auto& [n, m] : {std::pair{2, 2}, {3, 7}, {4, 10}, {10, 3}, {1, 5}, {30, 40}}) {
        const bm::fisher_f_distribution<double> d(n, m);
        const TVector params{double(n), double(m)};
        for (double x : {0.05, 0.4, 1.0, 2.2, 6.0, 15.0}) {
            EXPECT_REL(Eval(TDistKind::F, Dens, params, x), bm::pdf(d, x), tol::Tol2) << n << " " << m;
            EXPECT_ABS(Eval(TDistKind::F, Dist, params, x), bm::cdf(d, x), tol::Tol3)
                << n << " " << m << " " << x;
            EXPECT_REL(Eval(TDistKind::F, Dist, params, x), bm::cdf(d, x), tol::Shown)
                << n << " " << m << " " << x;
        }
        for (double p : {1e-9, 0.05, 0.3, 0.5, 0.8, 0.95, 0.999})
            EXPECT_REL(Eval(TDistKind::F, Inv, params, p), bm::quantile(d, p), tol::Shown)
                << n << " " << m << " " << p;
    }
}

TEST(FDistribution, ListedEdgesAndCaps)
{
    EXPECT_EQ(Eval(TDistKind::F, Dens, {3, 4}, -1), 0.0);
    EXPECT_EQ(Eval(TDistKind::F, Dens, {2, 4}, 0), 1.0);
    EXPECT_EQ(Eval(TDistKind::F, Dens, {3, 4}, 0), 0.0);
    EXPECT_EQ(Eval(TDistKind::F, Dist, {3, 4}, 0), 0.0);
    EXPECT_EQ(Eval(TDistKind::F, Inv, {3, 4}, 0), 0.0);
    EXPECT_EQ(Eval(TDistKind::F, Inv, {3, 4}, 1), 0.0);
    EXPECT_REL(Eval(TDistKind::F, Dist, {2, 2}, 1), 0.5, tol::Tol2);
    EXPECT_REL(Eval(TDistKind::F, Inv, {2, 2}, 0.99), 98.999999999999911, tol::Tol2);  // past 50
    EXPECT_EQ(Eval(TDistKind::F, Dist, {2.7, 5}, 1.3), Eval(TDistKind::F, Dist, {2, 5}, 1.3));
    // n = 1 goes through Student; its true quantiles answer past the search's 50 as well.
    EXPECT_REL(Eval(TDistKind::F, Inv, {1, 2}, 0.99), 98.502512562813982, tol::Tol2);
    // For n = 1 the density at 0 is its limit, where the listed formula divides by zero.
    EXPECT_EQ(Eval(TDistKind::F, Dens, {1, 4}, 0), HUGE_VAL);
}

// Near their upper bound the degrees of freedom overflow the direct product; the density then
// comes from logarithms and still matches, and still integrates to a distribution.
TEST(FDistribution, LargeDegreesOfFreedomStayFinite)
{
    const bm::fisher_f_distribution<double> d(1000, 1000);
    for (double x : {0.9, 1.0, 1.1})
        EXPECT_REL(Eval(TDistKind::F, Dens, {1000, 1000}, x), bm::pdf(d, x), tol::Tol2);
    EXPECT_REL(Eval(TDistKind::F, Dist, {1000, 1000}, 1.05), bm::cdf(d, 1.05), tol::Tol5);
    EXPECT_EQ(Eval(TDistKind::F, Dens, {1000, 1000}, 0), 0.0);
    // Below the overflow the formula's own product is used: same as the direct arithmetic.
    EXPECT_REL(Eval(TDistKind::F, Dens, {200, 300}, 1), bm::pdf(bm::fisher_f_distribution<double>(200, 300), 1.0), tol::Tol0);
}

namespace {
// The F density as it was formed before it learned to skip a product that certainly
// overflows and to keep the factors of n and m: the listed product, tried for every x, and
// where it overflowed (degrees of freedom of at least 1, not the singular n = 1 at 0) the
// density through logarithms.
double TriedProductDensity(double N, double M, double x)
{
    if (x < 0)
        return 0;
    const long long n = WholeDegrees(N), m = WholeDegrees(M);
    const L lx = x;
    L direct = 0;
    const int raised = FloatErrorsOf([&] {
        const L num = HalfPower(n, n) * HalfGamma(n + m) * HalfPower(m, m) * HalfPower(n - 2, lx);
        const L den = HalfPower(n + m, n * lx + m) * (HalfGamma(n) * HalfGamma(m));
        direct = Settle(num / den);
    });
    if ((raised & FE_OVERFLOW) && n >= 1 && m >= 1 && !(n == 1 && x == 0)) {
        if (x == 0 && n > 2)
            return 0;
        const L ln = n, lm = m;
        L logNum = ln / 2 * std::log(ln) + LogGamma((ln + lm) / 2) + lm / 2 * std::log(lm);
        if (n != 2)
            logNum += (ln - 2) / 2 * std::log(lx);
        const L logDen =
            (ln + lm) / 2 * std::log(ln * lx + lm) + LogGamma(ln / 2) + LogGamma(lm / 2);
        return static_cast<double>(std::exp(logNum - logDen));
    }
    std::feraiseexcept(raised);
    return StoreDouble(direct);
}

std::uint64_t Bits(double v)
{
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}
}  // namespace

// The F density's values and error flags over degrees of freedom from 1 to beyond the int
// range and x from 0 to infinity (NaN included): the same bits and flags as the tried product,
// formed beside it on this machine.
TEST(FDistribution, DensityBitsAreThoseOfTheTriedProduct)
{
    const double degrees[] = {1,    2,    3,    4,    5,    7,    10,   30,  100, 200, 300, 500,
                              700,  1000, 1021, 1022, 1023, 1024, 2000, 5000, 1e5, 1e6,
                              2147483647.0, 3e9};
    long count = 0, differing = 0;
    for (double n : degrees)
        for (double m : degrees) {
            std::vector<double> xs = {0,    4.9e-324, 1e-300, 1e-10, 0.5,   1,    1.5,  2,
                                      10,   61,       62,     63,    64,    100,  1000, 2000,
                                      5000, 23345,    1e5,    1e6,   1e10,  1e100, 1e300,
                                      HUGE_VAL, std::nan("")};
            for (double x = 1e-3; x < 1e7; x *= 1.37)
                xs.push_back(x);
            for (double x : xs) {
                double v = 0, tried = 0;
                const int flags = FloatErrorsOf([&] { v = Settle(FDensity({n, m}, x)); });
                const int triedFlags =
                    FloatErrorsOf([&] { tried = Settle(TriedProductDensity(n, m, x)); });
                if (Bits(v) != Bits(tried) || flags != triedFlags) {
                    if (++differing <= 10)
                        ADD_FAILURE() << "F(" << n << ", " << m << ") at " << x << ": " << v
                                      << " flags " << flags << ", tried " << tried << " flags "
                                      << triedFlags;
                }
                ++count;
            }
        }
    EXPECT_EQ(count, 57024);
    EXPECT_EQ(differing, 0);
}

// Beta: where the grid from MinPositiveDouble errs by more than 1e-9 (a cusp like x^(1/2) at
// an end, a kernel that is not 0 at 1) the incomplete Beta function gives the value, so every
// shape holds 1e-9. Shapes below 1 are integrated with the substitution at the singular end.
TEST(Beta, MatchesBoost)
{
    for (const auto& [a, b] : {std::pair{2.0, 3.0}, {1.5, 1.5}, {5.0, 1.0}, {0.5, 0.5},
                               {0.3, 2.0}, {3.0, 0.7}, {0.05, 0.8}}) {
        const bm::beta_distribution<double> d(a, b);
        const TVector params{a, b};
        const double tol = tol::Tol7;
        for (double x : {0.001, 0.05, 0.3, 0.5, 0.71, 0.95, 0.999}) {
            EXPECT_REL(Eval(TDistKind::Beta, Dens, params, x) / bm::pdf(d, x), 1, tol)
                << a << " " << b << " " << x;
            EXPECT_REL(Eval(TDistKind::Beta, Dist, params, x), bm::cdf(d, x), tol)
                << a << " " << b << " " << x;
        }
        // Quantiles in x.
        for (double p : {0.01, 0.2, 0.5, 0.8, 0.99})
            EXPECT_REL(Eval(TDistKind::Beta, Inv, params, p), bm::quantile(d, p), tol::Shown)
                << a << " " << b << " " << p;
    }
}

TEST(Beta, ListedEdges)
{
    // The listed normaliser misses the last sixth of a panel where the kernel is not 0 at 1;
    // the values a user reads are the true ones.
    const TVector flat{1, 1};
    EXPECT_DOUBLE_EQ(FloatChecked([&] { return BetaNorm(flat); }), 1 - SimpsonStep / 6);
    EXPECT_REL(Eval(TDistKind::Beta, Dens, flat, 0.4), 1, tol::Tol0);
    EXPECT_EQ(Eval(TDistKind::Beta, Dens, flat, 0), 0.0);
    EXPECT_EQ(Eval(TDistKind::Beta, Dens, flat, 1), 0.0);
    EXPECT_REL(Eval(TDistKind::Beta, Dist, flat, 0.3), 0.3, tol::Tol0);
    EXPECT_REL(Eval(TDistKind::Beta, Inv, flat, 0.3), 0.3, tol::Tol0);
    EXPECT_EQ(Eval(TDistKind::Beta, Dist, {2, 3}, 0), 0.0);
    EXPECT_EQ(Eval(TDistKind::Beta, Dist, {2, 3}, -1), 0.0);
    EXPECT_EQ(Eval(TDistKind::Beta, Dist, {2, 3}, 1), 1.0);
    EXPECT_EQ(Eval(TDistKind::Beta, Dist, {0.5, 3}, 2), 1.0);
    EXPECT_EQ(Eval(TDistKind::Beta, Inv, {2, 3}, 0), 0.0);
    EXPECT_EQ(Eval(TDistKind::Beta, Inv, {2, 3}, 1), 0.0);
    EXPECT_REL(FloatChecked([] { return BetaNorm({2, 3}); }), 1.0 / 12, tol::Tol2);
}

// The sound Beta quantile keeps its tail at 1/2 for the latest shapes: quantiles of shapes
// taken in turn are those of each shape taken alone, on both sides of 1/2.
TEST(Beta, SoundQuantilesOfShapesInTurnAreThoseOfEachAlone)
{
    // I_1/2(2, 5) = 0.890625 and I_1/2(2, 5.5) = 0.9067...: p = 0.9 lies between them.
    const TVector shapes[] = {{2, 5}, {2, 5.5}, {5, 2}, {0.5, 0.5}};
    const double ps[] = {1e-6, 0.1, 0.3, 0.5, 0.7, 0.895, 0.9, 0.95, 1 - 1e-9};
    std::vector<double> alone;
    for (const TVector& s : shapes)
        for (double p : ps) {
            BetaSoundInverse({7, 3}, p);  // another shape in between
            alone.push_back(BetaSoundInverse(s, p));
        }
    const std::size_t count = std::size(ps);
    for (std::size_t j = 0; j < count; ++j)
        for (std::size_t i = 0; i < std::size(shapes); ++i) {
            const double inTurn = BetaSoundInverse(shapes[i], ps[j]);
            EXPECT_EQ(0, std::memcmp(&inTurn, &alone[i * count + j], sizeof inTurn))
                << shapes[i][0] << ", " << shapes[i][1] << " p " << ps[j];
        }
}
