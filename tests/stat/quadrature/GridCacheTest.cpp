// The cached Simpson helpers against walks from the start written straight from the
// algorithm: results must agree bit for bit.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <functional>
#include <optional>
#include <random>

#include "Beta.h"
#include "GridCacheSettings.h"
#include "SimpsonWalk.h"

namespace {
// The plain walks written straight from the algorithm are the reference. Like every call into
// the library they run with the error flags clear, whatever an earlier test left raised.
double ReferenceIntegral(TDistHandler density, const TVector& params, double From, double To)
{
    return FloatChecked([&] { return simpson::ListedIntegral(density, params, From, To); });
}

double ReferenceInverse(TDistHandler density, const TVector& params, double From, double Target,
                        double Limit)
{
    return FloatChecked(
        [&] { return simpson::ListedInverse(density, params, From, Target, Limit); });
}

bool Same(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

struct Grid {
    const char* what;
    TDistHandler density;
    TVector params;
    double from;
    double span;  // arguments are drawn within this distance of the start
};

// The densities and start points the integrated kinds walk, with typical parameters and a
// negative scale (whose area falls as the walk goes on).
std::vector<Grid> Grids()
{
    return {
        {"normal", NormalStdDensity, {}, 0, 9},
        {"lognormal", LogNormalDensity, {0.3, 0.8}, 0, 30},
        {"chi2 small", Chi2Density, {2}, 0.25, 20},
        {"chi2", Chi2Density, {12}, 0, 40},
        {"student", StudentDensity, {3}, 0, 50},
        {"f", FDensity, {4, 9}, 0, 40},
        {"cauchy", CauchyDensity, {0.3, 1.7}, 0.3, 60},
        {"cauchy negative scale", CauchyDensity, {-2, -1}, -2, 20},
        {"beta norm kernel", BetaKernelInRange, {3, 2}, 0.5, 0.5},
    };
}

double Checked(const std::function<double()>& f)
{
    return FloatChecked(f);
}
}  // namespace

TEST(GridCache, IntegralsMatchTheWalkFromTheStart)
{
    simpson::ClearGridCache();
    std::mt19937 random(1);
    for (const Grid& g : Grids()) {
        std::uniform_real_distribution<double> offset(-g.span, g.span);
        for (int i = 0; i < 30; ++i) {
            const double to = i == 0 ? g.from : g.from + offset(random);
            const double cached =
                Checked([&] { return SimpsonIntegral(g.density, g.params, g.from, to); });
            ASSERT_TRUE(Same(cached, ReferenceIntegral(g.density, g.params, g.from, to)))
                << g.what << " to " << to;
            // Asked again, from the cache only.
            ASSERT_TRUE(Same(cached, Checked([&] {
                return SimpsonIntegral(g.density, g.params, g.from, to);
            }))) << g.what;
        }
    }
}

TEST(GridCache, InversesMatchTheWalkFromTheStartInBothDirections)
{
    simpson::ClearGridCache();
    std::mt19937 random(2);
    std::uniform_real_distribution<double> unit(0, 1);
    for (const Grid& g : Grids()) {
        for (double dir : {1.0, -1.0}) {
            const double limit = g.from + dir * g.span;
            // The whole area the walk can reach, to place targets at and beyond it.
            const double reach = std::fabs(ReferenceIntegral(g.density, g.params, g.from, limit));
            // Targets at both limits (none, and beyond reach) and inside.
            std::vector<double> targets = {0, -1, reach * 1.5, reach * (1 - 1e-6)};
            for (int i = 0; i < 25; ++i)
                targets.push_back(reach * unit(random));
            // Targets again, and close to earlier ones: walks that halve their step in panels
            // where earlier walks did, reading the points those evaluated.
            for (int i = 4; i < 29; i += 3) {
                targets.push_back(targets[i]);
                targets.push_back(std::nextafter(targets[i], 0.0));
                targets.push_back(targets[i] * (1 + 1e-9));
            }
            for (double t : targets) {
                const double cached = Checked([&] {
                    return SimpsonInverse(g.density, g.params, g.from, t, limit);
                });
                ASSERT_TRUE(Same(cached, ReferenceInverse(g.density, g.params, g.from, t, limit)))
                    << g.what << " dir " << dir << " target " << t;
            }
        }
    }
}

namespace {
std::atomic<long> Evaluations{0};
double CountedNormal(const TVector& params, double x)
{
    ++Evaluations;
    return NormalStdDensity(params, x);
}

long EvaluationsOf(const std::function<double()>& f)
{
    Evaluations = 0;
    Checked(f);
    return Evaluations;
}
}  // namespace

// A warm call evaluates only what the grid does not know: an integral the two densities of
// its last, shortened panel, a repeated inverse nothing at all, and an inverse that halves its
// step where another did fewer densities than the first one there.
TEST(GridCache, WarmCallsEvaluateOnlyWhatTheGridDoesNotKnow)
{
    simpson::ClearGridCache();
    Checked([] { return SimpsonIntegral(CountedNormal, {}, 0, 6); });
    for (double to : {0.3, 1.2345, 5.999})
        EXPECT_EQ(EvaluationsOf([&] { return SimpsonIntegral(CountedNormal, {}, 0, to); }), 2) << to;
    EXPECT_EQ(EvaluationsOf([] { return SimpsonIntegral(CountedNormal, {}, 0, 3.0); }), 0);

    for (double target : {0.1, 0.4, 0.4999}) {
        const auto inverse = [target] { return SimpsonInverse(CountedNormal, {}, 0, target, 25); };
        const long cold = EvaluationsOf(inverse);
        EXPECT_GT(cold, 0);
        EXPECT_EQ(EvaluationsOf(inverse), 0) << target;
        EXPECT_TRUE(Same(Checked(inverse), ReferenceInverse(NormalStdDensity, {}, 0, target, 25)));
        const auto nearby = [target] {
            return SimpsonInverse(CountedNormal, {}, 0, target * (1 + 1e-7), 25);
        };
        EXPECT_LT(EvaluationsOf(nearby), cold) << target;
        EXPECT_TRUE(Same(Checked(nearby),
                         ReferenceInverse(NormalStdDensity, {}, 0, target * (1 + 1e-7), 25)));
    }
}

// Many inverses in one grid fill its memory for halving points up to their own bound and no
// further, within the cache's bound, and every result is still the walk's.
TEST(GridCache, HalvingPointsStayWithinTheMemoryBound)
{
    const GridCacheBound bound(2u << 20);
    std::mt19937 random(9);
    std::uniform_real_distribution<double> unit(0, 0.4999);
    for (int i = 0; i < 6000; ++i) {
        const double t = unit(random);
        const double cached = Checked([t] { return SimpsonInverse(NormalStdDensity, {}, 0, t, 25); });
        if (i % 50 == 0) {
            ASSERT_TRUE(Same(cached, ReferenceInverse(NormalStdDensity, {}, 0, t, 25))) << t;
        }
    }
    EXPECT_LE(simpson::GridCacheBytes(), 2u << 20);
}

TEST(GridCache, InterleavedParameterSetsKeepTheirOwnGrids)
{
    simpson::ClearGridCache();
    std::mt19937 random(3);
    std::uniform_real_distribution<double> x(0, 30);
    const TVector sets[] = {{3}, {4}, {7}, {3.5}};  // 3.5 truncates like 3: the same grid
    for (int i = 0; i < 60; ++i) {
        const TVector& p = sets[i % 4];
        const double to = x(random);
        EXPECT_TRUE(Same(Checked([&] { return SimpsonIntegral(StudentDensity, p, 0, to); }),
                         ReferenceIntegral(StudentDensity, p, 0, to)));
        EXPECT_TRUE(Same(Checked([&] { return SimpsonInverse(Chi2Density, p, 0, to / 31, 1e6); }),
                         ReferenceInverse(Chi2Density, p, 0, to / 31, 1e6)));
    }
}

// A grid is kept once for all parameter sets that its density reads alike: every (mu, ro) of
// Normal walks the one standard normal grid, and degrees of freedom with the same whole part
// walk one grid; the results are still those of the walk from the start.
TEST(GridCache, ParameterSetsThatTheDensityReadsAlikeShareOneGrid)
{
    simpson::ClearGridCache();
    std::mt19937 random(5);
    std::uniform_real_distribution<double> z(-8, 8);
    Checked([] { return NormalStdDistribution({}, 8.5); });
    Checked([] { return Chi2Distribution({6}, 80); });
    const std::size_t grown = simpson::GridCacheBytes();
    for (int i = 0; i < 40; ++i) {
        const double mu = z(random), ro = std::ldexp(1.0, i % 7 - 3), x = mu + ro * z(random);
        const double cached = Checked([&] { return NormalDistribution({mu, ro}, x); });
        const double n = 6 + (i % 10) / 10.0;
        const double chi = Checked([&] { return Chi2Distribution({n}, std::fabs(x) + 1); });
        const GridCacheOff off;
        EXPECT_TRUE(Same(cached, Checked([&] { return NormalDistribution({mu, ro}, x); })));
        EXPECT_TRUE(Same(chi, Checked([&] { return Chi2Distribution({n}, std::fabs(x) + 1); })));
    }
    EXPECT_EQ(simpson::GridCacheBytes(), grown);
    // Another whole part is another grid, with its own values.
    EXPECT_FALSE(Same(Checked([] { return Chi2Distribution({7}, 5); }),
                      Checked([] { return Chi2Distribution({6.9}, 5); })));
    EXPECT_GT(simpson::GridCacheBytes(), grown);
}

// Walks that end where the density has become 0 for good give the walk's result, from a grid
// and without one.
TEST(GridCache, WalksEndingInAZeroTailGiveTheWalksResults)
{
    const struct {
        TDistHandler density;
        TVector params;
        double to;
    } walks[] = {{NormalStdDensity, {}, 60}, {NormalStdDensity, {}, -45.5}, {LogNormalDensity, {0, 0.1}, 90},
                 {LogNormalDensity, {-2, 1e-3}, 3}, {LogNormalDensity, {1, 2}, 900},
                 {Chi2Density, {10}, 2100}, {Chi2Density, {700}, 2500},
                 {LogNormalDensity, {-2, -1e-3}, 3}};
    for (const auto& w : walks) {
        const double reference = ReferenceIntegral(w.density, w.params, 0, w.to);
        simpson::ClearGridCache();
        EXPECT_TRUE(Same(Checked([&] { return SimpsonIntegral(w.density, w.params, 0, w.to); }), reference))
            << w.to;
        const GridCacheOff off;
        EXPECT_TRUE(Same(Checked([&] { return SimpsonIntegral(w.density, w.params, 0, w.to); }), reference))
            << w.to;
    }
}

TEST(GridCache, AGridLargerThanTheMemoryBoundStillGivesTheWalksResults)
{
    const GridCacheBound bound(32 * 1024);  // a few hundred saved states in all
    for (double to : {5.0, 70.0, 33.3, 69.9}) {
        EXPECT_TRUE(Same(Checked([&] { return SimpsonIntegral(CauchyDensity, {0, 3}, 0, to); }),
                         ReferenceIntegral(CauchyDensity, {0, 3}, 0, to)));
        EXPECT_LE(simpson::GridCacheBytes(), 32u * 1024);
    }
    EXPECT_TRUE(Same(Checked([&] { return SimpsonInverse(CauchyDensity, {0, 3}, 0, 0.49, 300); }),
                     ReferenceInverse(CauchyDensity, {0, 3}, 0, 0.49, 300)));
}

TEST(GridCache, DistributionFunctionsAreUnchangedByTheCache)
{
    struct Call {
        TDistKind kind;
        TVector params;
    };
    const Call calls[] = {{TDistKind::NormalStd, {}},   {TDistKind::Normal, {1, 2}},
                          {TDistKind::LogNormal, {0, 1}}, {TDistKind::Chi2, {1}},
                          {TDistKind::Chi2, {9}},       {TDistKind::Student, {5}},
                          {TDistKind::F, {6, 8}},       {TDistKind::F, {1, 8}},
                          {TDistKind::Cauchy, {1, 2}},  {TDistKind::Beta, {2, 4}},
                          {TDistKind::Beta, {0.4, 0.6}}};
    std::vector<double> cached;
    for (bool on : {true, false}) {
        std::optional<GridCacheOff> off;
        if (!on)
            off.emplace();
        std::mt19937 random(4);
        std::uniform_real_distribution<double> unit(0, 1);
        int n = 0;
        for (const Call& c : calls) {
            for (int i = 0; i < 8; ++i) {
                const double p = unit(random), x = 12 * unit(random) - 2;
                const double values[] = {DistEval(c.kind, TDistFunc::Distribution, c.params, x),
                                         DistEval(c.kind, TDistFunc::Inverse, c.params, p)};
                for (double v : values) {
                    if (on)
                        cached.push_back(v);
                    else
                        EXPECT_TRUE(Same(v, cached[n])) << KindIndex(c.kind) << " " << x << " " << p;
                    ++n;
                }
            }
        }
    }
}

namespace {
// A density that divides by zero beyond 5.
double FaultyBeyondFive(const TVector&, double x)
{
    volatile double zero = 0;
    return x > 5 ? 1 / zero : std::exp(-x);
}
}  // namespace

TEST(GridCache, AFloatingPointErrorInsideAGridIsRaisedAgainOnEveryCall)
{
    simpson::ClearGridCache();
    // A call that stops short of the fault: the grid may have computed past it, but no error.
    EXPECT_TRUE(Same(Checked([] { return SimpsonIntegral(FaultyBeyondFive, {}, 0, 4.999); }),
                     ReferenceIntegral(FaultyBeyondFive, {}, 0, 4.999)));
    for (int i = 0; i < 3; ++i) {
        EXPECT_THROW(Checked([] { return SimpsonIntegral(FaultyBeyondFive, {}, 0, 8); }), EMathError);
        EXPECT_THROW(Checked([] { return SimpsonInverse(FaultyBeyondFive, {}, 0, 2, 9); }), EMathError);
    }
    EXPECT_TRUE(Same(Checked([] { return SimpsonInverse(FaultyBeyondFive, {}, 0, 0.5, 9); }),
                     ReferenceInverse(FaultyBeyondFive, {}, 0, 0.5, 9)));
}

namespace {
// A density that integrates another while it is evaluated, as a normalised kernel would: the
// cache evaluates densities outside its lock, so this neither deadlocks nor changes a bit.
double NormalisedByAnIntegral(const TVector&, double x)
{
    const double half = SimpsonIntegral(NormalStdDensity, {}, 0, 1.5);
    return static_cast<double>(NormalStdDensity({}, x) / (2 * static_cast<long double>(half)));
}
}  // namespace

TEST(GridCache, ADensityMayIntegrateWhileTheGridGrows)
{
    const double cached = Checked([] { return SimpsonIntegral(NormalisedByAnIntegral, {}, 0, 3); });
    EXPECT_TRUE(Same(cached, ReferenceIntegral(NormalisedByAnIntegral, {}, 0, 3)));
    const double inverse = Checked([] { return SimpsonInverse(NormalisedByAnIntegral, {}, 0, 0.4, 10); });
    EXPECT_TRUE(Same(inverse, ReferenceInverse(NormalisedByAnIntegral, {}, 0, 0.4, 10)));
}
