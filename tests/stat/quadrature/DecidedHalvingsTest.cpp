// Inverse walks whose halvings are found from a family's series against the same walks
// evaluating every halving: the points must agree bit for bit, at random targets and at
// targets that sit on the walk's choices within from one to millions of last places.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <random>

#include "Beta.h"
#include "Cauchy.h"
#include "ChiStudent.h"
#include "F.h"
#include "GridCacheSettings.h"
#include "Normal.h"

namespace {
struct Walk {
    const char* what;
    simpson::TIntegrand grid;
    TVector params;
    double from, limit;
    double reach;  // the area the targets are drawn from, short of the walk's limit
    // Whether the series decides most halvings: not where the density's peak lies in the
    // first panel or within a few panels of a pole of its series (a Beta end).
    bool decides = true;
};

// The Beta kernel's area, in an evaluation's scope of its own (a flag an earlier test left
// raised would end the walk).
double Norm(const TVector& shapes)
{
    return FloatChecked([&] { return BetaNorm(shapes); });
}

// The grids of every kind with a series, as their inverses walk them: shapes narrow and wide,
// degrees of freedom at both ends of the range, and a small chi-square from its start at 1/4.
std::vector<Walk> Walks()
{
    return {
        {"normal", NormalStdFamily.grid, {}, 0, 25, 0.5},
        {"lognormal", LogNormalFamily.grid, {0, 1}, 0, 1e5, 0.999},
        {"lognormal narrow", LogNormalFamily.grid, {3, 0.05}, 0, 1e5, 0.999},
        {"lognormal wide", LogNormalFamily.grid, {-1, 3}, 0, 1e5, 0.99},
        {"student 1", StudentFamily.grid, {1}, 0, 50, 0.49},
        {"student 5", StudentFamily.grid, {5}, 0, 50, 0.5},
        {"student 1000", StudentFamily.grid, {1000}, 0, 50, 0.5},
        {"chi2 2", Chi2Family.grid, {2}, 0.25, 300, 0.88},
        {"chi2 4", Chi2Family.grid, {4}, 0, 1e6, 0.999},
        {"chi2 40", Chi2Family.grid, {40.7}, 0, 1e6, 0.999},
        {"chi2 1000", Chi2Family.grid, {1000}, 0, 1e6, 0.999},
        {"cauchy", CauchyGrid, {0, 1}, 0, 100, 0.49},
        {"cauchy wide", CauchyGrid, {3, 20}, 3, 400, 0.45},
        {"cauchy narrow", CauchyGrid, {0.25, 0.01}, 0.25, 125, 0.49, false},
        {"f 5 8", FFamily.grid, {5, 8}, 0, 50, 0.99},
        {"f 2 3", FFamily.grid, {2, 3}, 0, 50, 0.95},
        {"f 120 300", FFamily.grid, {120, 300}, 0, 50, 0.999},
        {"beta 2 5", BetaKernelGrid, {2, 5}, MinPositiveDouble, 1, 0.999 / 30},
        {"beta 1 1", BetaKernelGrid, {1, 1}, MinPositiveDouble, 1, 0.999},
        {"beta 40 30.5", BetaKernelGrid, {40, 30.5}, MinPositiveDouble, 1, 0.999 * Norm({40, 30.5})},
        {"beta 1.5 700", BetaKernelGrid, {1.5, 700}, MinPositiveDouble, 1, 0.999 * Norm({1.5, 700}), false},
        {"beta 300 2.5", BetaKernelGrid, {300, 2.5}, MinPositiveDouble, 1, 0.999 * Norm({300, 2.5}), false},
    };
}

// The same grid without its series: every halving is evaluated (a grid of its own).
simpson::TIntegrand Evaluated(simpson::TIntegrand f)
{
    f.facts.series = nullptr;
    return f;
}

double Inverse(const simpson::TIntegrand& f, const Walk& w, double target)
{
    return FloatChecked([&] { return SimpsonInverse(f, w.params, w.from, target, w.limit); });
}

bool Same(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Each walk's density, counted.
std::atomic<long> Evaluations{0};
TDistHandler Counted = nullptr;
double CountedDensity(const TVector& params, double x)
{
    ++Evaluations;
    return Counted(params, x);
}

simpson::TIntegrand CountedGrid(const Walk& w)
{
    simpson::TIntegrand f = w.grid;
    Counted = f.density;
    f.density = CountedDensity;
    return f;
}
}  // namespace

// The walks of one grid and then of the other: a long grid of each (chi-square 1000) would
// take the cache's memory from the other at every call.
TEST(DecidedHalvings, GiveTheEvaluatedWalksPointsAtRandomTargets)
{
    std::mt19937_64 random(7);
    for (const Walk& w : Walks()) {
        simpson::ClearGridCache();
        std::uniform_real_distribution<double> share(0, w.reach);
        // Over the whole reach, into the far tail (where the walk evaluates again) and its end.
        TVector targets;
        for (int i = 0; i < 40000; ++i)
            targets.push_back(i % 1000 == 0 ? w.reach * (1 - std::ldexp(share(random), -30)) : share(random));
        TVector decided;
        for (double t : targets)
            decided.push_back(Inverse(w.grid, w, t));
        simpson::ClearGridCache();
        const simpson::TIntegrand evaluated = Evaluated(w.grid);
        for (std::size_t i = 0; i < targets.size(); ++i)
            ASSERT_TRUE(Same(decided[i], Inverse(evaluated, w, targets[i]))) << w.what << " target " << targets[i];
    }
}

TEST(DecidedHalvings, GiveTheEvaluatedWalksPointsOnTheEdgesOfItsChoices)
{
    std::mt19937_64 random(8);
    for (const Walk& w : Walks()) {
        simpson::ClearGridCache();
        const simpson::TIntegrand decided = CountedGrid(w), evaluated = Evaluated(w.grid);
        // Points of the smallest step's grid spread as the targets are.
        std::uniform_real_distribution<double> share(0, w.reach * 0.999);
        // The area up to a point of the smallest step's grid is where a walk's choice turns:
        // the targets at it and from one to millions of last places around it are decided
        // only where the bounds are right, and handed to the evaluated walk where they cannot
        // tell; both happen.
        TVector targets, expected;
        for (int i = 0; i < 150; ++i) {
            const double x = std::ldexp(std::round(std::ldexp(Inverse(evaluated, w, share(random)), 31)), -31);
            const double at = FloatChecked([&] { return SimpsonIntegral(evaluated, w.params, w.from, x); });
            const double ulp = std::nextafter(at, 1.0) - at;
            for (int j = -13; j <= 13; ++j) {
                targets.push_back(at + (j < 0 ? -1 : 1) * (j == 0 ? 0 : std::ldexp(ulp, 2 * (std::abs(j) - 1))));
                expected.push_back(Inverse(evaluated, w, targets.back()));
            }
        }
        simpson::ClearGridCache();
        long handed = 0, found = 0;
        for (std::size_t i = 0; i < targets.size(); ++i) {
            // The grid grown past the walk by a walk that halves elsewhere (a walk to the same
            // target would leave its halving points to this one).
            Inverse(decided, w, std::min(w.reach, targets[i] + w.reach / 100));
            Evaluations = 0;
            ASSERT_TRUE(Same(Inverse(decided, w, targets[i]), expected[i])) << w.what << " target " << targets[i];
            (Evaluations > 0 ? handed : found) += 1;
        }
        EXPECT_GT(handed, 100) << w.what;
        if (w.decides) {
            EXPECT_GT(found, 1000) << w.what;
        }
    }
}

TEST(DecidedHalvings, GiveThePlainWalksPointsAndSpareTheHalvingsDensities)
{
    simpson::ClearGridCache();
    std::mt19937_64 random(9);
    for (const Walk& w : Walks()) {
        if (w.limit - w.from > 1000 && w.params[0] > 100)
            continue;  // a plain walk of a thousand units a call
        const simpson::TIntegrand counted = CountedGrid(w);
        std::uniform_real_distribution<double> share(0, w.reach * 0.9);
        long spared = 0;
        for (int i = 0; i < 40; ++i) {
            const double t = share(random);
            double plain;
            {
                const GridCacheOff off;
                plain = Inverse(w.grid, w, t);
            }
            Inverse(counted, w, std::min(w.reach, t + w.reach / 100));  // the grid grown past it
            Evaluations = 0;
            ASSERT_TRUE(Same(Inverse(counted, w, t), plain)) << w.what << " target " << t;
            spared += Evaluations == 0;
        }
        // A warm walk reads its whole panels from the grid and finds its halvings from the
        // series, but where the series cannot vouch for itself (near 0 of a wide log-normal).
        if (w.decides) {
            EXPECT_GT(spared, 20) << w.what;
        }
    }
}

// The quantiles of the kinds with a series, through the truth check, with the cache on and
// off: near 0, 1/2 and 1, where the walks are short, long or in the tail, and at random.
TEST(DecidedHalvings, LeaveEveryQuantileAsTheEvaluatedWalkGivesIt)
{
    struct Kind {
        TDistKind kind;
        TVector params;
    };
    const Kind kinds[] = {{TDistKind::Normal, {10, 2}}, {TDistKind::Student, {5}},
                          {TDistKind::Chi2, {4}},       {TDistKind::Chi2, {3}},
                          {TDistKind::LogNormal, {0, 1}}, {TDistKind::Beta, {2, 5}},
                          {TDistKind::Beta, {1.5, 30}}, {TDistKind::Cauchy, {3, 2}},
                          {TDistKind::F, {5, 8}}};
    std::mt19937_64 random(10);
    std::uniform_real_distribution<double> unit(0, 1);
    TVector ps = {0.5, std::nextafter(0.5, 1.0), std::nextafter(0.5, 0.0), 1e-300, 1e-9, 1 - 1e-9,
                  0.975, 0.025};
    for (int i = 0; i < 300; ++i)
        ps.push_back(unit(random));
    for (const Kind& k : kinds) {
        TVector decided;
        for (double p : ps)
            decided.push_back(DistEval(k.kind, TDistFunc::Inverse, k.params, p));
        const GridCacheOff off;
        for (std::size_t i = 0; i < ps.size(); ++i)
            ASSERT_TRUE(Same(decided[i], DistEval(k.kind, TDistFunc::Inverse, k.params, ps[i])))
                << DistKindName[static_cast<int>(k.kind)] << " p " << ps[i];
    }
}

// Walks of two parameter sets that end in the same panels, one after the other, as a thread
// takes a sorted run: the series kept for one panel and parameter set serves no other.
TEST(DecidedHalvings, KeepNoPanelsSeriesForOtherParameters)
{
    const Walk walks[] = {{"student 3", StudentFamily.grid, {3}, 0, 50, 0.5},
                          {"student 5", StudentFamily.grid, {5}, 0, 50, 0.5},
                          {"beta 2 5", BetaKernelGrid, {2, 5}, MinPositiveDouble, 1, 0},
                          {"beta 2 6", BetaKernelGrid, {2, 6}, MinPositiveDouble, 1, 0}};
    std::mt19937_64 random(11);
    for (int pair = 0; pair < 2; ++pair) {
        const Walk& one = walks[2 * pair];
        const Walk& other = walks[2 * pair + 1];
        std::uniform_real_distribution<double> at(one.from + 0.01, pair == 0 ? 4 : 0.9);
        TVector xs(3000);
        for (double& x : xs)
            x = at(random);
        std::sort(xs.begin(), xs.end());
        simpson::ClearGridCache();
        TVector targets, decided;
        for (double x : xs)
            for (const Walk* w : {&one, &other}) {
                targets.push_back(FloatChecked([&] { return SimpsonIntegral(w->grid, w->params, w->from, x); }));
                decided.push_back(Inverse(w->grid, *w, targets.back()));
            }
        simpson::ClearGridCache();
        for (std::size_t i = 0; i < targets.size(); ++i) {
            const Walk& w = i % 2 == 0 ? one : other;
            ASSERT_TRUE(Same(decided[i], Inverse(Evaluated(w.grid), w, targets[i]))) << w.what << " target " << targets[i];
        }
    }
}
