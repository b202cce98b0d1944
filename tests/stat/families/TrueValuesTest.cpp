// Values a user reads where the listed grid cannot see the density, against true values from
// an independent source (scipy, written down here), and the rule that keeps the listed bits
// wherever they are already true.
#include <gtest/gtest.h>

#include <boost/math/distributions/beta.hpp>
#include <boost/math/distributions/cauchy.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/lognormal.hpp>
#include <cmath>
#include <cstring>
#include <random>

#include "Oracle.h"
#include "Tolerances.h"
#include "Families.h"
#include "FloatErrors.h"
#include "StatInternal.h"
#include "TrueValues.h"

namespace bm = boost::math;

namespace {
struct Case {
    const char* region;
    TDistKind kind;
    TDistFunc mode;
    TVector params;
    double x, truth;
};

// A listed value stands within 1e-9 of the sound one, which is within 1e-15 or so of the truth.
constexpr double Close = tol::Shown;

// The oracle's distribution, for measuring a quantile in probability.
double OracleCdf(TDistKind kind, const TVector& p, double x)
{
    switch (kind) {
    case TDistKind::LogNormal: return bm::cdf(bm::lognormal_distribution<double>(p[0], p[1]), x);
    case TDistKind::Cauchy: return bm::cdf(bm::cauchy_distribution<double>(p[0], p[1]), x);
    case TDistKind::Beta: return bm::cdf(bm::beta_distribution<double>(p[0], p[1]), x);
    default: return bm::cdf(bm::fisher_f_distribution<double>(p[0], p[1]), x);
    }
}
}  // namespace

TEST(TrueValues, DistributionsWhereTheGridCannotSeeTheDensity)
{
    const Case cases[] = {
        {"log-normal, small median", TDistKind::LogNormal, Dist, {-6, 0.5}, std::exp(-6) * 1.3, 0.700114039009087},
        {"log-normal, mu -8", TDistKind::LogNormal, Dist, {-8, 0.3}, 4e-4, 0.7212346857844295},
        {"log-normal, narrow", TDistKind::LogNormal, Dist, {0, 1e-4}, 1.0001, 0.8413326480363759},
        {"log-normal, narrow at e^2", TDistKind::LogNormal, Dist, {2, 1e-3}, 7.4, 0.9305634047046344},
        {"log-normal, wide", TDistKind::LogNormal, Dist, {0, 3}, 0.5, 0.40863834423098205},
        {"log-normal, wider", TDistKind::LogNormal, Dist, {0, 5}, 2, 0.5551285093764184},
        {"log-normal, far and narrow", TDistKind::LogNormal, Dist, {9.5, 1e-4}, 13360, 0.5810072374662717},
        {"Cauchy, narrow", TDistKind::Cauchy, Dist, {0, 1e-4}, 1, 0.9999681690114877},
        {"Cauchy, narrow and far", TDistKind::Cauchy, Dist, {-1e4, 1e-6}, -1e4 + 3e-6, 0.8975835920779796},
        {"Cauchy, a couple of panels", TDistKind::Cauchy, Dist, {0, 2e-3}, 0.01, 0.9371670418109989},
        {"Beta, beta = 1", TDistKind::Beta, Dist, {3, 1}, 0.9, 0.729},
        {"Beta, flat", TDistKind::Beta, Dist, {1, 1}, 0.3, 0.3},
        {"Beta, cusp at 1", TDistKind::Beta, Dist, {5, 1.5}, 0.8, 0.5055606488152468},
        {"Beta, cusp at 0", TDistKind::Beta, Dist, {1.01, 3}, 0.01, 0.02859964529258951},
        {"Beta, mass near 0", TDistKind::Beta, Dist, {1.5, 300}, 0.005, 0.6099184504284025},
        {"Beta, peak below the double range", TDistKind::Beta, Dist, {540, 540}, 0.49, 0.2555323758452572},
        {"F, n = 3", TDistKind::F, Dist, {3, 7}, 0.4, 0.24249752824470022},
        {"F, far", TDistKind::F, Dist, {1022, 2}, 9999.5, 0.9999000000098562},
    };
    for (const Case& c : cases) {
        const double v = Eval(c.kind, c.mode, c.params, c.x);
        EXPECT_REL(v, c.truth, Close) << c.region;
        EXPECT_TRUE(v >= 0 && v <= 1) << c.region;
    }
}

TEST(TrueValues, DensitiesWithTheirTrueNormaliser)
{
    const Case cases[] = {
        {"Beta, flat", TDistKind::Beta, Dens, {1, 1}, 0.4, 1},
        {"Beta, alpha = 1", TDistKind::Beta, Dens, {1, 1.2}, 0.99, 0.47772860466419687},
        {"Beta, peak below the double range", TDistKind::Beta, Dens, {540, 540}, 0.5, 26.21509332403267},
    };
    for (const Case& c : cases)
        EXPECT_REL(Eval(c.kind, c.mode, c.params, c.x), c.truth, tol::Tol1) << c.region;
}

// Quantiles are measured in probability: the oracle's distribution at the result is p.
TEST(TrueValues, QuantilesWhereTheGridCannotSeeTheDensity)
{
    const Case cases[] = {
        {"log-normal, mu -7", TDistKind::LogNormal, Inv, {-7, 0.4}, 0.3, 0.000739334422844463},
        {"log-normal, narrow", TDistKind::LogNormal, Inv, {0, 1e-4}, 0.9, 1.0001281633687773},
        {"log-normal, wide", TDistKind::LogNormal, Inv, {-1, 5}, 0.8, 24.7322032031079},
        {"log-normal, far and narrow", TDistKind::LogNormal, Inv, {10, 1e-4}, 0.3, 22025.310756096533},
        {"Cauchy, narrow", TDistKind::Cauchy, Inv, {5, 1e-3}, 0.9, 5.0030776835371755},
        {"Beta, large shapes", TDistKind::Beta, Inv, {530, 530}, 0.001, 0.4526377107608954},
        {"Beta, large unequal shapes", TDistKind::Beta, Inv, {400, 700}, 0.999, 0.40907665958907213},
        {"Beta, beta = 1", TDistKind::Beta, Inv, {2, 1}, 0.5, 0.7071067811865476},
        {"F, n = 3", TDistKind::F, Inv, {3, 20}, 0.3, 0.47974723393079155},
    };
    for (const Case& c : cases) {
        const double q = Eval(c.kind, c.mode, c.params, c.x);
        EXPECT_REL(OracleCdf(c.kind, c.params, q), c.x, tol::Tol7) << c.region;
        EXPECT_REL(q / c.truth, 1, tol::Shown) << c.region;
    }
}

// Intermediates that left the double or extended range while the value is an ordinary number.
TEST(TrueValues, NoFloatingPointErrorWhereTheValueIsOrdinary)
{
    EXPECT_REL(Eval(TDistKind::Rayleigh, Dens, {1e-160}, 1e-160) / 6.065306597126335e+159, 1, tol::Tol0);
    EXPECT_REL(Eval(TDistKind::Pareto, Dens, {1e100, 60}, 2e100) / 2.6020852139652107e-117, 1, tol::Tol0);
    EXPECT_REL(Eval(TDistKind::Pareto, Dens, {1e-100, 60}, 2e-100) / 2.6020852139652106e+83, 1, tol::Tol0);
    EXPECT_EQ(Eval(TDistKind::Logistic, Dist, {0, 1}, -12000), 0.0);
    EXPECT_EQ(Eval(TDistKind::Logistic, Dens, {0, 1}, -12000), 0.0);
    EXPECT_EQ(Eval(TDistKind::ExtrValue, Dist, {0, 1, 0}, -12000), 0.0);
    EXPECT_EQ(Eval(TDistKind::ExtrValue, Dens, {0, 1, 0}, -1000), 0.0);
    EXPECT_EQ(Eval(TDistKind::ExtrValue, Dist, {0, 1, 0.5}, -1.9999), 0.0);
    EXPECT_REL(Eval(TDistKind::Normal, Dist, {0, 1e-150}, 1e160), 1.0, tol::Tol1);
    EXPECT_ABS(Eval(TDistKind::Normal, Dist, {0, 1e-150}, -1e160), 0.0, tol::Tol1);
    EXPECT_EQ(Eval(TDistKind::Normal, Dens, {0, 1e-150}, 1e160), 0.0);
}

// Where the listed result is true to 1e-9, the user reads its very bits; a walking limit
// reached, or a quantile off by more than 1e-9 relative in x, gives way to the truth.
TEST(TrueValues, ListedBitsStayWhereTheyAreTrue)
{
    const struct {
        TDistKind kind;
        TDistFunc mode;
        TDistHandler listed;
        TVector params;
        double x;
    } kept[] = {
        {TDistKind::LogNormal, Dist, LogNormalDistribution, {0, 1}, 2},
        {TDistKind::LogNormal, Inv, LogNormalInverse, {0.5, 0.4}, 0.7},
        {TDistKind::Cauchy, Dist, CauchyDistribution, {1, 2}, 4},
        {TDistKind::Cauchy, Inv, CauchyInverse, {1, 2}, 0.2},
        {TDistKind::Beta, Dist, BetaDistribution, {2, 3}, 0.3},
        {TDistKind::Beta, Inv, BetaInverse, {0.5, 0.7}, 0.7},
        {TDistKind::Beta, Dens, BetaDensity, {0.3, 2}, 0.6},
        {TDistKind::F, Dist, FDistribution, {4, 10}, 2.2},
        {TDistKind::F, Inv, FInverse, {10, 3}, 0.5},
    };
    for (const auto& k : kept) {
        const double listed = FloatChecked([&] { return k.listed(k.params, k.x); });
        EXPECT_EQ(Eval(k.kind, k.mode, k.params, k.x), listed) << DistKindName[KindIndex(k.kind)];
    }
    // The listed Beta search ends 2^-31 short of its root in u = x^alpha: 1.3e-9 off in x.
    EXPECT_REL(Eval(TDistKind::Beta, Inv, {0.5, 0.7}, 0.4), 0.23840642281573409, tol::Tol1);
    EXPECT_NE(Eval(TDistKind::Beta, Inv, {0.5, 0.7}, 0.4),
              FloatChecked([] { return BetaInverse({0.5, 0.7}, 0.4); }));
    // Walking limits: 100000, 1 - 2^-10, 50 and 100 are not the quantiles.
    EXPECT_REL(Eval(TDistKind::LogNormal, Inv, {12, 1}, 0.5), 162754.79141900392, tol::Tol1);
    EXPECT_REL(Eval(TDistKind::Beta, Inv, {1, 1}, 0.9999), 0.9999, tol::Tol2);
    EXPECT_REL(Eval(TDistKind::F, Inv, {3, 2}, 0.995), 199.16643460468540, tol::Tol2);
    EXPECT_REL(Eval(TDistKind::Cauchy, Inv, {0, 1e-4}, 0.9999999), 318.30988635132447, tol::Tol3);
}

// Out of range, the listed method answers as described, errors included.
TEST(TrueValues, OutOfRangeParametersKeepTheListedOutcome)
{
    EXPECT_EQ(MathErrorOf(TDistKind::LogNormal, Dist, {0, 0}, 2), "Floating point division by zero");
    EXPECT_EQ(Eval(TDistKind::Cauchy, Dist, {0, -1}, 1),
              FloatChecked([] { return CauchyDistribution({0, -1}, 1); }));
    EXPECT_EQ(Eval(TDistKind::Beta, Dist, {2, 800}, 0.001),
              FloatChecked([] { return BetaDistribution({2, 800}, 0.001); }));
}

// A kind whose listed formula's error is bounded keeps its listed value without forming the
// sound one: the same bits as the comparison gives, on a sweep from the smallest values to the
// far tail, where the comparison hands over to the sound value.
TEST(TrueValues, ABoundedListedFormulaNeedsNoComparison)
{
    TFamily compared = Family(TDistKind::Exponential);
    ASSERT_NE(compared.sound.listedTrue, nullptr);
    compared.sound.listedTrue = nullptr;
    int kept = 0, handedOver = 0;
    for (double lambda : {1e-300, 1e-8, 0.5, 1.0, 3.0, 1e6, 1e300})
        for (double e = -330; e <= 310; e += 0.37) {
            const double x = std::pow(10.0, e) / lambda;
            if (!std::isfinite(x))
                continue;
            for (TDistFunc mode : {TDistFunc::Density, TDistFunc::Distribution}) {
                const double fast = DistEval(TDistKind::Exponential, mode, {lambda}, x);
                FloatScope scope;
                const double full = TrueValue(compared, mode, {lambda}, x);
                scope.End();
                ASSERT_EQ(std::memcmp(&fast, &full, sizeof fast), 0) << lambda << " " << x;
                const double listed = DistEval(TDistKind::Exponential, mode, {lambda}, x);
                FloatScope raw;  // the listed formula's own flags (an overflow far out) go with it
                (compared.listed[mode]({lambda}, x) == listed ? kept : handedOver)++;
                raw.End();
            }
        }
    EXPECT_GT(kept, 1000);
    EXPECT_GT(handedOver, 100);  // tiny probabilities: the sound value, as before
}

// The normal's quick tails decide whether a listed quantile stands as its sound tails do: the
// same bits with them and without, on the probabilities a generation draws and at the ends,
// for standard, shifted and narrow laws; and each quick tail lies within its bound of the sound
// one wherever it answers.
TEST(TrueValues, QuickTailsCheckAListedQuantileAsTheSoundOnesDo)
{
    for (TDistKind kind : {TDistKind::NormalStd, TDistKind::Normal}) {
        TFamily sound = Family(kind);
        ASSERT_NE(sound.sound.quickLower, nullptr);
        sound.sound.quickLower = sound.sound.quickUpper = nullptr;
        const std::vector<TVector> sets = kind == TDistKind::NormalStd
                                              ? std::vector<TVector>{{}}
                                              : std::vector<TVector>{{0, 1}, {10, 2}, {1e10, 1e-4}, {-3, 1e-300}};
        int replaced = 0;
        for (const TVector& params : sets) {
            std::mt19937_64 draws(7);
            for (int i = 0; i < 20000; ++i) {
                const double p = i < 40 ? std::ldexp(i % 2 ? 1.0 : 1.5, -2 - i)
                                        : std::uniform_real_distribution<double>()(draws);
                const double quick = DistEval(kind, TDistFunc::Inverse, params, p);
                FloatScope scope;
                const double full = TrueValue(sound, TDistFunc::Inverse, params, p);
                scope.End();
                FloatScope raw;  // the listed search run as DistEval runs it, its flags its own
                const double listed = Family(kind).listed.inverse(params, p);
                raw.End();
                ASSERT_EQ(std::memcmp(&quick, &full, sizeof quick), 0) << p;
                replaced += quick != listed;
            }
        }
        EXPECT_GT(replaced, 1000);  // both outcomes were decided
        const TVector params = kind == TDistKind::NormalStd ? TVector{} : TVector{10, 2};
        for (int k = -9000; k <= 9000; ++k) {
            const double z = k / 1000.0;
            const double x = kind == TDistKind::NormalStd ? z : 10 + 2 * z;
            const double lower = Family(kind).sound.quickLower(params, x);
            const double upper = Family(kind).sound.quickUpper(params, x);
            if (std::abs(k) > 8500) {
                EXPECT_TRUE(lower == -1 && upper == -1) << z;
                continue;
            }
            EXPECT_NEAR(lower, Family(kind).sound.distribution(params, x),
                        QuickTailError * Family(kind).sound.distribution(params, x)) << z;
            EXPECT_NEAR(upper, Family(kind).sound.upper(params, x),
                        QuickTailError * Family(kind).sound.upper(params, x)) << z;
        }
    }
}
