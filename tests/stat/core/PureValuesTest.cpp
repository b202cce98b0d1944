// The half-integer functions: their values by the formulas, and values that depend on whole
// numbers alone formed once, which must be those of the formulas evaluated afresh every time.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <thread>

#include "FloatErrors.h"
#include "Oracle.h"
#include "Stat_Lib.h"

namespace {
bool Same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

long double FreshHalfGamma(int k)
{
    const long double table[9] = {0, 1.77245385090552L, 1.0L, 0.88622692545276L, 1.0L,
                                  1.32934038817914L, 2.0L, 3.32335097044785L, 6.0L};
    if (k <= 8)
        return table[k];
    long double r = 1;
    if (k % 2 == 0) {
        for (int i = k / 2 - 1; i >= 2; --i)
            r = r * i;
        return r;
    }
    r = std::sqrt(3.141592653589793238462643383279502884L) / HalfPowerOfTwo(k - 1);
    for (int i = k - 2; i >= 3; i -= 2)
        r = r * i;
    return r;
}
}  // namespace

TEST(PureValues, HalfGammaIsTheSameEveryTime)
{
    for (int round = 0; round < 2; ++round)
        for (int k = 1; k <= 2100; ++k)
            ASSERT_EQ(HalfGamma(k), FreshHalfGamma(k)) << k;
}

TEST(PureValues, DensitiesMatchTheirFormulasAcrossInterleavedDegrees)
{
    const int degrees[][2] = {{3, 7}, {10, 4}, {3, 7}, {200, 300}, {1, 9}, {10, 4}, {2, 2}};
    for (int round = 0; round < 3; ++round) {
        for (const auto& d : degrees) {
            const int n = d[0], m = d[1];
            for (double x : {0.0, 0.3, 1.0, 2.5, 17.0}) {
                const long double lx = x;
                const long double num =
                    HalfPower(n, n) * FreshHalfGamma(n + m) * HalfPower(m, m) * HalfPower(n - 2, lx);
                const long double den =
                    HalfPower(n + m, n * lx + m) * (FreshHalfGamma(n) * FreshHalfGamma(m));
                if (!(n == 1 && x == 0)) {
                    EXPECT_TRUE(Same(FDensity({double(n), double(m)}, x), static_cast<double>(num / den)))
                        << n << " " << m << " " << x;
                }
                const double y = static_cast<double>(lx * lx / n + 1);
                const long double B = std::sqrt(n * 3.14159265358979L) * HalfPower(n + 1, y);
                EXPECT_TRUE(Same(StudentDensity({double(n)}, x),
                                 static_cast<double>((FreshHalfGamma(n + 1) / FreshHalfGamma(n)) / B)));
                if (x > 0) {
                    EXPECT_TRUE(Same(Chi2Density({double(m)}, x),
                                     static_cast<double>(std::exp(-lx / 2) *
                                                         (HalfPower(m - 2, lx) / HalfPowerOfTwo(m)) /
                                                         FreshHalfGamma(m))));
                }
            }
        }
    }
}

namespace {
// What an evaluation gives: the bits of its value, or the text of its error.
std::string Outcome(TDistKind kind, TDistFunc mode, const TVector& params, double x)
{
    try {
        const double v = DistEval(kind, mode, params, x);
        std::uint64_t bits;
        std::memcpy(&bits, &v, sizeof v);
        return std::to_string(bits);
    } catch (const EMathError& e) {
        return e.what();
    }
}

struct Case {
    TDistKind kind;
    TDistFunc mode;
    TVector params;
    double x;
};
}  // namespace

// Remembered values keep the flags they raised: the first call, later calls and calls on a
// fresh thread (whose memos are empty) end alike. The listed chi-square density reports the
// overflow of 2^(n/2) for n from 1024 on at once, before a grid is grown; DistEval gives the
// true value there.
TEST(PureValues, OutcomeIsTheSameOnEveryCallAndEveryThread)
{
    const Case cases[] = {
        {TDistKind::Chi2, TDistFunc::Density, {1024}, 1},
        {TDistKind::Chi2, TDistFunc::Distribution, {2000}, 2000},
        {TDistKind::Chi2, TDistFunc::Inverse, {1500}, 0.5},
        {TDistKind::Student, TDistFunc::Density, {1e9}, 1},
        {TDistKind::F, TDistFunc::Density, {1e6, 5}, 2},
        {TDistKind::F, TDistFunc::Density, {2147483647, 2147483647}, 1},
        {TDistKind::F, TDistFunc::Distribution, {5000, 3}, 1.5},
        {TDistKind::Student, TDistFunc::Distribution, {1500}, 3},
    };
    for (const Case& c : cases) {
        std::string onFreshThread;
        std::thread([&] { onFreshThread = Outcome(c.kind, c.mode, c.params, c.x); }).join();
        const std::string first = Outcome(c.kind, c.mode, c.params, c.x);
        EXPECT_EQ(first, onFreshThread) << KindIndex(c.kind) << " " << c.params[0];
        EXPECT_EQ(Outcome(c.kind, c.mode, c.params, c.x), first);
        // Degrees of freedom up to a million are served truly, without the listed overflow.
        const bool served = c.params[0] <= 1e6 && (c.params.size() < 2 || c.params[1] <= 1e6);
        if (served) {
            EXPECT_NE(first, MsgOverflow) << KindIndex(c.kind) << " " << c.params[0];
        }
    }
    for (int i = 0; i < 2; ++i)
        EXPECT_THROW(FloatChecked([] { return Chi2Density({1024}, 1); }), EMathError);
    EXPECT_REL(Eval(TDistKind::Chi2, TDistFunc::Distribution, {2000}, 2000), 0.50420524418021551, tol::Tol4);
    EXPECT_REL(Eval(TDistKind::Chi2, TDistFunc::Inverse, {1500}, 0.5), 1499.3333860338742, tol::Tol4);
    EXPECT_REL(Eval(TDistKind::Student, TDistFunc::Distribution, {1500}, 3), 0.99862784598995605, tol::Tol4);
}

// A product that has become infinite (or zero, for an odd k whose 2^((k-1)/2) overflowed)
// stays so: HalfGamma ends early with the same value and raises the overflow on every call,
// from its memo as when computed afresh.
TEST(PureValues, OverflowedHalfGammaRaisesItsFlagEveryTime)
{
    for (int k : {3600, 4001, 5000, 2000000, 2000001}) {
        for (int round = 0; round < 2; ++round) {
            long double v = 0;
            const int raised = FloatErrorsOf([&] { v = Settle(HalfGamma(k)); });
            EXPECT_EQ(v, k % 2 ? 0 : HUGE_VALL) << k;
            EXPECT_EQ(raised, FE_OVERFLOW) << k;
        }
    }
    EXPECT_EQ(HalfGamma(4001), FreshHalfGamma(4001));
}

// Degrees of freedom beyond the range of int overflow; they never wrap around.
TEST(PureValues, DegreesBeyondTheIntegerRangeOverflow)
{
    EXPECT_EQ(Outcome(TDistKind::Chi2, TDistFunc::Density, {3e9}, 2), MsgOverflow);
    EXPECT_EQ(Outcome(TDistKind::Chi2, TDistFunc::Distribution, {1e300}, -1), MsgOverflow);
    EXPECT_EQ(Outcome(TDistKind::Student, TDistFunc::Distribution, {-3e9}, 1), MsgOverflow);
    EXPECT_EQ(Outcome(TDistKind::F, TDistFunc::Inverse, {5, 2147483648.0}, 0.5), MsgOverflow);
    EXPECT_EQ(Outcome(TDistKind::F, TDistFunc::Density, {std::nan(""), 3}, 1), MsgInvalidOp);
    // The largest int is in range: its arithmetic, not a wrapped n + 1, decides.
    EXPECT_EQ(Outcome(TDistKind::Student, TDistFunc::Density, {2147483647}, 0), MsgOverflow);
    EXPECT_EQ(Outcome(TDistKind::Chi2, TDistFunc::Density, {-2147483648.0}, 1),
              Outcome(TDistKind::Chi2, TDistFunc::Density, {0}, 1));
}

TEST(HalfFunctions, PowersOfHalfIntegerExponent)
{
    EXPECT_EQ(HalfPower(-1, 4), 0.5L);
    EXPECT_EQ(HalfPower(0, 3.7L), 1.0L);
    EXPECT_EQ(HalfPower(5, 4), 32.0L);
    EXPECT_EQ(HalfPower(6, 3), 27.0L);
    EXPECT_EQ(HalfPower(2, 0.25L), 0.25L);
    EXPECT_EQ(HalfPowerOfTwo(0), 1.0L);
    EXPECT_EQ(HalfPowerOfTwo(3), 2 * 1.4142135623731L);
    EXPECT_EQ(HalfPowerOfTwo(10), 32.0L);
}

TEST(HalfFunctions, GammaUsesTableThenFactorialsAndDoubleFactorials)
{
    EXPECT_EQ(HalfGamma(1), 1.77245385090552L);
    EXPECT_EQ(HalfGamma(7), 3.32335097044785L);
    EXPECT_EQ(HalfGamma(10), 24.0L);
    EXPECT_EQ(HalfGamma(12), 120.0L);
    EXPECT_REL(static_cast<double>(HalfGamma(9)), 105 * std::sqrt(M_PI) / 16, tol::Tol0);
    EXPECT_REL(static_cast<double>(HalfGamma(9)), 11.6317283, tol::Tol9);
    EXPECT_REL(static_cast<double>(HalfGamma(101) / std::tgamma(50.5L)), 1.0, tol::Tol0);
}
