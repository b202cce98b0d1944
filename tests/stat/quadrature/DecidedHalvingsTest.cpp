// Inverse walks whose halvings are found from the normal's panel area against the same walks
// evaluating every halving: the points must agree bit for bit, at random targets and at
// targets that sit on the walk's choices within a few units in the last place.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <random>

#include "GridCacheSettings.h"
#include "Normal.h"

namespace {
// The normal's grid without its area: every halving is evaluated (a grid of its own).
simpson::TIntegrand Evaluated()
{
    simpson::TIntegrand f = NormalStdFamily.grid;
    f.facts.area = nullptr;
    return f;
}

double Inverse(const simpson::TIntegrand& f, double target, double limit = 25)
{
    return FloatChecked([&] { return SimpsonInverse(f, {}, 0, target, limit); });
}

bool Same(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::atomic<long> Evaluations{0};
double CountedNormal(const TVector& params, double x)
{
    ++Evaluations;
    return NormalStdDensity(params, x);
}
}  // namespace

TEST(DecidedHalvings, GiveTheEvaluatedWalksPointsAtRandomTargets)
{
    simpson::ClearGridCache();
    const simpson::TIntegrand decided = NormalStdFamily.grid, evaluated = Evaluated();
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> half(0, 0.5);
    // Targets over the whole reach, the far tail (past 6, where the walk evaluates again) and
    // its very end included.
    for (int i = 0; i < 200000; ++i) {
        const double t = i % 1000 == 0 ? 0.5 * (1 - std::ldexp(half(random), -30)) : half(random);
        ASSERT_TRUE(Same(Inverse(decided, t), Inverse(evaluated, t))) << "target " << t;
    }
}

TEST(DecidedHalvings, GiveTheEvaluatedWalksPointsOnTheEdgesOfItsChoices)
{
    simpson::ClearGridCache();
    simpson::TIntegrand decided = NormalStdFamily.grid;
    decided.density = CountedNormal;
    const simpson::TIntegrand evaluated = Evaluated();
    std::mt19937_64 random(8);
    std::uniform_int_distribution<long long> point(1, 6LL << 31);
    // The area up to a point of the smallest step's grid is where a walk's choice turns: the
    // targets at it and from one to millions of last places around it are decided only where the bounds are
    // right, and handed to the evaluated walk where they cannot tell; both happen.
    long handed = 0, found = 0;
    for (int i = 0; i < 1000; ++i) {
        const double x = std::ldexp(static_cast<double>(point(random)), -31);
        const double at = FloatChecked([&] { return SimpsonIntegral(evaluated, {}, 0, x); });
        const double ulp = std::nextafter(at, 1.0) - at;
        // 0, then 1, 4, 16 ... 4^12 last places (a fiftieth of the point's own area) either side.
        for (int j = -13; j <= 13; ++j) {
            const double t = at + (j < 0 ? -1 : 1) * (j == 0 ? 0 : std::ldexp(ulp, 2 * (std::abs(j) - 1)));
            Inverse(decided, t);  // the grid grown as far as the walk goes
            Evaluations = 0;
            ASSERT_TRUE(Same(Inverse(decided, t), Inverse(evaluated, t))) << "x " << x << " target " << t;
            (Evaluations > 0 ? handed : found) += 1;
        }
    }
    EXPECT_GT(handed, 1000);
    EXPECT_GT(found, 10000);
}

TEST(DecidedHalvings, GiveThePlainWalksPointsAndSpareTheHalvingsDensities)
{
    simpson::ClearGridCache();
    simpson::TIntegrand counted = NormalStdFamily.grid;
    counted.density = CountedNormal;
    std::mt19937_64 random(9);
    std::uniform_real_distribution<double> half(0, 0.45);
    long spared = 0;
    for (int i = 0; i < 200; ++i) {
        const double t = half(random);
        double plain;
        {
            const GridCacheOff off;
            plain = Inverse(NormalStdFamily.grid, t);
        }
        Inverse(counted, t);  // the grid grown as far as the walk goes
        Evaluations = 0;
        ASSERT_TRUE(Same(Inverse(counted, t), plain)) << "target " << t;
        spared += Evaluations == 0;
    }
    // A warm walk reads its whole panels from the grid and finds its halvings from the area.
    EXPECT_GT(spared, 190);
}

// Every normal quantile passes here: the standard one, through the grid read by a scaled
// normal, and the quantiles near 0, 1/2 and 1 where the walks are short, long or in the tail.
TEST(DecidedHalvings, LeaveEveryNormalQuantileAsTheEvaluatedWalkGivesIt)
{
    std::mt19937_64 random(10);
    std::uniform_real_distribution<double> unit(0, 1);
    TVector ps = {0.5, std::nextafter(0.5, 1.0), std::nextafter(0.5, 0.0), 1e-300, 1e-9, 1 - 1e-9,
                  0.975, 0.025};
    for (int i = 0; i < 2000; ++i)
        ps.push_back(unit(random));
    TVector decided;
    for (double p : ps)
        decided.push_back(DistEval(TDistKind::Normal, TDistFunc::Inverse, {10, 2}, p));
    {
        const GridCacheOff off;
        for (std::size_t i = 0; i < ps.size(); ++i)
            ASSERT_TRUE(Same(decided[i], DistEval(TDistKind::Normal, TDistFunc::Inverse, {10, 2}, ps[i])))
                << "p " << ps[i];
    }
}
