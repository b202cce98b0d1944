// The tests on the empirical distribution function: the statistics against scipy on fixed
// samples, the exact Kolmogorov-Smirnov tail against scipy's, the Anderson-Darling tail
// against the simulated law, the bootstrap's independence of threads and of the caller's random
// source, its cancel, the ends an estimate takes from the sample, and the ranking.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <thread>

#include "Fit_Lib.h"
#include "Tolerances.h"

namespace {
struct StatisticCase {
    TDistKind kind;
    TVector params, sample;
    double ad, ks;
};
// Written by scipy 1.10.1 (scripts/edf_truths.py; the samples drawn from a law a little off
// the hypothesis, so that the statistics are not small): A2 from logcdf and logsf, D by kstest.
const StatisticCase StatisticCases[] = {
{TDistKind::Exponential, {2.0}, {0.007892772772148015, 0.009055082107304827, 0.009459262198532091, 0.021702888402765855, 0.02987090385756798, 0.041393402006575465, 0.08826158095572896, 0.10717915163278664, 0.11964552678416748, 0.12960520000003545, 0.1896640965496775, 0.1897044397749754, 0.196884661937394, 0.281306939359869, 0.3215341846420803, 0.544964660039125, 0.5976042254764963, 0.6260900420178085, 0.6504002895193105, 0.697282118905191, 0.7029781710287649, 0.8606569100324004, 0.9006326793096151, 1.0132636792535596, 1.4601526969134204}, 1.6656165914520429, 0.1945096315642253},
{TDistKind::Logistic, {1.0, 2.0}, {-4.701277657805347, -2.808588608725934, -2.7874761755609687, -2.4277171005103657, -1.835089071414604, -1.6401541532116344, -1.354265281612423, -0.9111686844287152, -0.6682509885277865, -0.6334522775732501, -0.5073948829590138, -0.3409170313777501, 0.14939680306961045, 0.20320465816420108, 0.22619073538823908, 0.30128820992757765, 0.5506271126744062, 1.4850123891486937, 1.7797372202385873, 1.9261979042568806, 2.067168653718885, 2.5959731057208146, 2.9456288145036207, 4.941422839659388, 11.206763837709802}, 1.7615792558536185, 0.23593648390196742},
{TDistKind::Weibull, {1.5, 3.0}, {0.6991628686957464, 0.7626617286064381, 1.2174617769758524, 1.2381868794967659, 1.6233531812514816, 1.8017806223338981, 1.9185249550423364, 2.058690653194327, 2.3393438641895026, 2.429648754175929, 2.6851778139054985, 2.7619734084697187, 2.771791713111712, 2.832469302352444, 2.9147639226957085, 3.174759711764176, 3.2575357499161623, 4.1650173541501205, 4.942103700806246, 4.944119672127293, 5.138698188458094, 5.271596926303155, 5.323003814781398, 5.884486596163842, 7.221995288057752}, 1.4867243300341393, 0.17771501750602564},
{TDistKind::Rayleigh, {2.0}, {0.4113495724505101, 0.4423068374271059, 0.6662103241582806, 0.6664277745738464, 0.7984749987528602, 0.9428918518843716, 0.9805894174846016, 1.1156064001585113, 1.2211639376508487, 1.2602606246621122, 1.474786426077232, 1.809436262892817, 2.313247398813306, 2.484896799835036, 2.5409026515094455, 2.6435330688097984, 2.687531798688548, 2.7533021836900455, 3.141762647065067, 3.4135572225437962, 3.5648750420493447, 3.7882000460988707, 3.9067842423719377, 4.720321100203129, 5.358705804484169}, 1.472753978899636, 0.2199334461419989},
{TDistKind::Pareto, {1.0, 3.0}, {1.004074961419971, 1.0071639948823778, 1.0178657318428808, 1.0381593831772742, 1.0385951894852268, 1.0448527985496938, 1.0466871932926312, 1.090560342815766, 1.0927569859785486, 1.1175333938650691, 1.1538545234350814, 1.183456059448198, 1.2285632472475065, 1.3413526851790918, 1.3428392236893538, 1.4155206065989663, 1.4251589312152875, 1.4563991593256949, 1.6427103889396415, 1.666886548340655, 1.7750133539425226, 1.8426959812650103, 1.9245657187456635, 2.294200158795231, 2.9831864121176754}, 0.6127650635704356, 0.1520658276854142},
{TDistKind::ExtrValue, {5.0, 2.0, 0.2}, {3.2715068184635014, 3.428381728563169, 3.500764390063409, 3.5150761405344007, 4.0704610773025545, 4.128661899036182, 4.375295331545355, 4.540493551462973, 4.893138057436887, 4.906868621570101, 5.169822504890494, 5.632337942841671, 5.63764843642572, 5.675480153620411, 5.781865778689423, 7.009185761090535, 7.938589489532621, 7.969868492288681, 8.011633848467582, 10.671788911752277, 11.514796780193583, 12.617268782528225, 15.550961832375876, 16.58759738781349, 19.652595208645263}, 0.7583010329144599, 0.13962176091492529},
{TDistKind::Uniform, {-2.0, 5.0}, {-1.925406048847198, -1.7768927394717802, -1.692317722905853, -1.2732569142788512, -1.2210355015060013, -1.0364212748672892, -0.8710790250277451, -0.4554404079163328, -0.42612135722087885, -0.002156259014535866, 0.07111957968397142, 0.7903479077010536, 1.1276156381813696, 1.407723092626496, 1.9486597908978602, 2.657978897517202, 2.808080291901696, 2.813167813879743, 2.8971845595005092, 3.7464634765930924, 4.77053041033287, 4.787670207215424, 4.906477219425459, 4.906614810708907, 4.998295360649242}, 1.5988101788939701, 0.16721863004755277},
{TDistKind::Normal, {10.0, 2.0}, {5.953138349738426, 7.319525282522346, 7.326219990015684, 7.367667206797329, 7.863561868966484, 8.312448726608597, 8.367952011087494, 9.055421913846336, 9.560674892775069, 9.67867884004162, 10.180871978816958, 10.198928945644298, 10.260046397587349, 10.3223304849108, 10.458280311214903, 10.571058595638123, 10.599892320036014, 10.609321537180486, 10.645705872108627, 11.387835235111881, 11.459813822040223, 12.216304123937363, 12.356334313777001, 12.484376010498256, 12.554588037639288}, 0.4802239263378709, 0.13602962077924818},
};

struct TailCase {
    std::size_t n;
    double d, p;
};
// P(D_n >= d) by scipy.stats.kstwo (R. Simard and P. L'Ecuyer's algorithm).
const TailCase TailCases[] = {
{1, 0.9, 0.19999999999999996},
{5, 0.2683281572999747, 0.7836692682117719},
{10, 0.31622776601683794, 0.21828385386284876},
{50, 0.1697056274847714, 0.09960275827669895},
{100, 0.08, 0.5182193645480672},
{140, 0.11494097864307826, 0.04559450483891349},
{141, 0.11453266126504659, 0.045609192585224445},
{400, 0.05, 0.26121244607129124},
{1000, 0.051545125860744584, 0.009494900170509754},
{5000, 0.007071067811865475, 0.9624348682860043},
{100000, 0.003794733192202055, 0.11196588953063102},
{1000000, 0.0007, 0.7109578604736},
{20, 0.5590169943749475, 2.0438554462966623e-06},
{1000, 0.09486832980505139, 2.7683606440184413e-08},
{100, 0.01, 1.0},
};


TVector Drawn(TDistKind kind, const TVector& params, std::size_t n, unsigned seed)
{
    std::mt19937 g(seed);
    TVector x(n);
    for (double& v : x)
        v = DistEval(kind, TDistFunc::Inverse, params, (g() + 0.5) / 4294967296.0);
    return x;
}
}  // namespace

TEST(EdfStatistics, AgreeWithScipyOnFixedSamples)
{
    for (const StatisticCase& c : StatisticCases) {
        SCOPED_TRACE(DistKindName[KindIndex(c.kind)]);
        // The sample in reverse: the statistics sort what they are given.
        const TVector reversed(c.sample.rbegin(), c.sample.rend());
        const TEdfSample s = EdfSample(reversed, c.kind, c.params, TParamSet());
        // The normal's listed distribution is a Simpson walk, true to 1e-9.
        const double tolerance = c.kind == TDistKind::Normal ? tol::Shown : 1e-12;
        EXPECT_NEAR(AndersonDarlingStatistic(s), c.ad, tolerance * c.ad);
        EXPECT_NEAR(KolmogorovSmirnovStatistic(s), c.ks, tolerance * c.ks);
    }
}

TEST(EdfStatistics, AValueWithoutProbabilityOnOneSideRejectsOutright)
{
    // 6 lies above Uniform(-2, 5): F = 1 and P(X > 6) = 0.
    const TVector x{-1, 0, 1, 2, 6};
    const TEdfSample s = EdfSample(x, TDistKind::Uniform, {-2, 5}, TParamSet());
    EXPECT_EQ(AndersonDarlingStatistic(s), HUGE_VAL);
    EXPECT_EQ(AndersonDarlingTypedP(x.size(), HUGE_VAL), 0);
    EXPECT_GE(KolmogorovSmirnovStatistic(s), 0.2);
}

TEST(EdfStatistics, EndsEstimatedFromTheExtremesAreLeftOut)
{
    // Uniform with both ends on "Auto": the ends are the sample's extremes, which carry no
    // information; the others are uniform between them.
    const TVector x{3, 0.5, 1, 2, 0.5, 4};
    TVector params{0, 0};
    ASSERT_TRUE(EstimateParams(TDistKind::Uniform, x, params, AllParams(TDistKind::Uniform)));
    const TEdfSample both = EdfSample(x, TDistKind::Uniform, params, AllParams(TDistKind::Uniform));
    ASSERT_EQ(both.lower.size(), 3u);  // both 0.5s and the 4 left out
    EXPECT_NEAR(both.lower[0], 0.5 / 3.5, tol::Tol1);
    EXPECT_TRUE(std::isfinite(AndersonDarlingStatistic(both)));
    TParamSet minOnly;
    minOnly.set(0);
    EXPECT_EQ(EdfSample(x, TDistKind::Uniform, params, minOnly).lower.size(), 4u);
    // Typed ends keep every value: the maximum then has no probability above it.
    EXPECT_EQ(AndersonDarlingStatistic(EdfSample(x, TDistKind::Uniform, params, TParamSet())),
              HUGE_VAL);
}

TEST(EdfTypedLaws, KolmogorovSmirnovTailsAgreeWithScipy)
{
    for (const TailCase& c : TailCases) {
        SCOPED_TRACE(::testing::Message() << "n = " << c.n << ", d = " << c.d);
        // scipy takes the Pelz-Good series for n > 140 where n d^1.5 >= 1.4, within 2e-5 of
        // the exact law this program forms there.
        const bool series = c.n > 140 && c.n * std::pow(c.d, 1.5) >= 1.4;
        EXPECT_NEAR(KolmogorovSmirnovTypedP(c.n, c.d), c.p, (series ? 2e-5 : 1e-9) * c.p);
    }
    EXPECT_EQ(KolmogorovSmirnovTypedP(10, 1), 0);
    EXPECT_EQ(KolmogorovSmirnovTypedP(10, 0.05), 1);  // below 1/(2n) every sample is as far
    EXPECT_TRUE(std::isnan(KolmogorovSmirnovTypedP(10, NAN)));
}

// Against the exact law, Durbin's matrix in 60-digit arithmetic (scripts/ks_truths.py), on
// each of its three ways: the one-sided sums where passing both bounds is negligible, the
// matrix in doubles (its complement of P(D < d) loses relative digits below p = 0.01), and
// the Pelz-Good series where the matrix would take too long.
TEST(EdfTypedLaws, KolmogorovSmirnovLawIsTheExactLaw)
{
    struct Exact {
        std::size_t n;
        double d, p, within;
    };
    const Exact cases[] = {
        {10, 0.274, 0.3715203845434956326610951, 1e-12},
        {20, 0.3, 0.04306706665851782704659849, 1e-12},
        {50, 0.2, 0.0314387777695344920542251, 1e-12},
        {1000, 0.03857978745405423, 0.09927851767541879312374133, 1e-12},
        {100, 0.2, 5.551927328028096809685581e-4, 1e-10},
        {141, 0.17665127726361124, 2.551582314241837464101526e-4, 1e-10},
        {1000, 0.06735651416158647, 2.176188028204511449199155e-4, 1e-10},
        {3000, 0.029759592291114023, 0.009646598054822661224067068, 1e-10},
        {3000, 0.03888830158286679, 2.228594970530601916922181e-4, 1e-10},
        {20, 0.4795831523312719, 9.421804004199765511558956e-5, 1e-11},
        {200, 0.1576848122046001, 8.247394761320217590913403e-5, 1e-12},
        {200, 0.17677669529663687, 6.144567297122347768744732e-6, 1e-12},
        {1000, 0.07051879182175486, 9.064695933793548700046602e-5, 1e-12},
        {1000, 0.09486832980505139, 2.768360644018441377868599e-8, 1e-12},
        {3000, 0.040714043441217346, 9.301606404632101683916903e-5, 1e-12},
        // The series took this one, 1.1e-6 off.
        {3000, 0.040565887898551055, 1.000001126500873105043999e-4, 1e-12},
    };
    for (const Exact& c : cases)
        EXPECT_NEAR(KolmogorovSmirnovTypedP(c.n, c.d), c.p, c.within * c.p)
            << "n = " << c.n << ", d = " << c.d;
}

// The law's one-sided sums take logarithms of factorials: on the bootstrap's worker threads
// those must not write a shared sign (std::lgamma does). Two threads give one thread's values;
// under ThreadSanitizer a shared write would be reported.
TEST(EdfTypedLaws, KolmogorovSmirnovLawOnTwoThreadsIsOneThreadsLaw)
{
    const std::pair<std::size_t, double> cases[] = {{50, 0.6},   {400, 0.15}, {2000, 0.07},
                                                     {30, 0.2},  {500, 0.05}, {5000, 0.02},
                                                     {9, 0.55},  {1000, 0.1}};
    std::vector<double> alone;
    for (const auto& [n, d] : cases)
        alone.push_back(KolmogorovSmirnovTypedP(n, d));
    std::vector<double> first(std::size(cases)), second(std::size(cases));
    std::thread other([&] {
        for (int round = 0; round < 5; ++round)
            for (std::size_t i = std::size(cases); i-- > 0;)
                second[i] = KolmogorovSmirnovTypedP(cases[i].first, cases[i].second);
    });
    for (int round = 0; round < 5; ++round)
        for (std::size_t i = 0; i < std::size(cases); ++i)
            first[i] = KolmogorovSmirnovTypedP(cases[i].first, cases[i].second);
    other.join();
    EXPECT_EQ(first, alone);
    EXPECT_EQ(second, alone);
}

TEST(EdfTypedLaws, AndersonDarlingTailsFollowTheSimulatedLaw)
{
    // The 50, 90, 95, 99 and 99.9 % points of A2 for n = 10, from 200,000 simulated uniform
    // samples: the tail there is 0.5, 0.1, 0.05, 0.01 and 0.001 within the simulation's noise.
    const double points[] = {0.7676, 1.9421, 2.4978, 3.9159, 5.9846};
    const double tails[] = {0.5, 0.1, 0.05, 0.01, 0.001};
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(AndersonDarlingTypedP(10, points[i]), tails[i], 0.04 * tails[i] + 0.003);
    EXPECT_EQ(AndersonDarlingTypedP(10, 0), 1);
    // Far in the tail it keeps relative digits, falling as the limit's largest term,
    // erfc(sqrt(z)), and without a step where the law's pieces meet: Marsaglia's fit and the
    // small-sample law at 2 and 2.5, the table of the limit at its nodes and at its end, 12.
    // (At 2 Marsaglia and Marsaglia's own two fits meet within 1e-7.)
    const double far = AndersonDarlingTypedP(100, 20), farther = AndersonDarlingTypedP(100, 30);
    EXPECT_NEAR(farther / far, std::erfc(std::sqrt(30.0)) / std::erfc(std::sqrt(20.0)),
                tol::Tol3 * farther / far);
    EXPECT_GT(farther, 1e-15);
    for (std::size_t n : {5, 12, 100})
        for (double join : {2.0, 2.5, 5.0, 10.0, 12.0}) {
            const double below = AndersonDarlingTypedP(n, std::nextafter(join, 0.0)),
                         above = AndersonDarlingTypedP(n, std::nextafter(join, 99.0));
            EXPECT_NEAR(above, below, (join == 2 ? 1e-7 : tol::Tol5) * below) << n << " " << join;
        }
    for (std::size_t n : {5, 30})
        for (double z = 1; z < 40; z += 0.125)
            EXPECT_GT(AndersonDarlingTypedP(n, z), AndersonDarlingTypedP(n, z + 0.125)) << z;
}

// The law of small samples against a simulation of its own (not the one its correction was
// fitted to): within 3 % of the simulated tail, beside the simulation's noise, where
// Marsaglia and Marsaglia's law alone was 12 to 15 % too small (n = 5, A2 from 5).
TEST(EdfTypedLaws, AndersonDarlingLawOfSmallSamplesFollowsASimulation)
{
    for (int n : {5, 8}) {
        const int samples = 2000000;
        std::mt19937_64 g(20261210 + n);
        const double grid[] = {3, 4, 5, 6, 7};
        int above[std::size(grid)] = {};
        TEdfSample sample;
        sample.lower.resize(n);
        sample.upper.resize(n);
        std::vector<double> u(n);
        for (int r = 0; r < samples; ++r) {
            for (double& v : u)
                v = ((g() >> 11) + 0.5) * 0x1p-53;
            std::sort(u.begin(), u.end());
            for (int i = 0; i < n; ++i) {
                sample.lower[i] = u[i];
                sample.upper[i] = 1 - u[i];
            }
            const double a2 = AndersonDarlingStatistic(sample);
            for (std::size_t k = 0; k < std::size(grid); ++k)
                above[k] += a2 >= grid[k];
        }
        for (std::size_t k = 0; k < std::size(grid); ++k) {
            const double p = double(above[k]) / samples, noise = std::sqrt(p / samples);
            EXPECT_NEAR(AndersonDarlingTypedP(n, grid[k]), p, 0.03 * p + 3 * noise)
                << "n = " << n << ", A2 = " << grid[k];
        }
    }
}

TEST(EdfBootstrap, GivesTheSameResultOnAnyThreadsAndDrawsNothingElsewhere)
{
    const TVector x = Drawn(TDistKind::Weibull, {1.5, 3}, 200, 5);
    TVector params{1, 1};
    ASSERT_TRUE(EstimateParams(TDistKind::Weibull, x, params, AllParams(TDistKind::Weibull)));
    std::mt19937 caller(1);
    const std::mt19937 before = caller;
    TEdfTest one(x, TDistKind::Weibull, params, AllParams(TDistKind::Weibull), 42, 200, 1);
    TEdfTest two(x, TDistKind::Weibull, params, AllParams(TDistKind::Weibull), 42, 200, 2);
    const TEdfResult a = one.Result(), b = two.Result();
    EXPECT_EQ(caller, before);
    EXPECT_EQ(a.replicates, 200);
    EXPECT_EQ(a.pAD, b.pAD);
    EXPECT_EQ(a.pKS, b.pKS);
    EXPECT_EQ(a.AD, b.AD);
    // A p-value of the bootstrap is (1 + c) / (1 + B).
    const double c = a.pAD * 201 - 1;
    EXPECT_NEAR(c, std::round(c), 1e-9);
    // Another seed draws other replicates.
    TEdfTest other(x, TDistKind::Weibull, params, AllParams(TDistKind::Weibull), 43, 200, 2);
    const TEdfResult o = other.Result();
    EXPECT_EQ(o.AD, a.AD);
    EXPECT_TRUE(o.pAD != a.pAD || o.pKS != a.pKS);
}

// A sequential bootstrap stops each statistic at its h-th replicate as far as the sample's
// (p = h / L), on any threads alike, and its first L replicates are the full bootstrap's: the
// full run's count of far replicates among its first L is h. A wrong hypothesis runs through.
TEST(EdfBootstrap, ASequentialBootstrapStopsWhereItsPValueIsDecided)
{
    const TVector x = Drawn(TDistKind::Weibull, {1.5, 3}, 200, 5);
    TVector params{1, 1};
    const TParamSet all = AllParams(TDistKind::Weibull);
    ASSERT_TRUE(EstimateParams(TDistKind::Weibull, x, params, all));
    TEdfTest one(x, TDistKind::Weibull, params, all, 42, 1000, 1, 10);
    TEdfTest three(x, TDistKind::Weibull, params, all, 42, 1000, 3, 10);
    const TEdfResult a = one.Result(), b = three.Result();
    ASSERT_GT(a.sequentialAD, 0);
    ASSERT_GT(a.sequentialKS, 0);
    EXPECT_EQ(a.replicates, std::max(a.sequentialAD, a.sequentialKS));
    EXPECT_EQ(a.pAD, 10.0 / a.sequentialAD);
    EXPECT_EQ(a.pKS, 10.0 / a.sequentialKS);
    EXPECT_EQ(a.pAD, b.pAD);
    EXPECT_EQ(a.pKS, b.pKS);
    EXPECT_EQ(a.sequentialKS, b.sequentialKS);
    // The full bootstrap's first replicates: as many as the sequential one stopped at.
    TEdfTest full(x, TDistKind::Weibull, params, all, 42, a.sequentialAD, 2);
    EXPECT_EQ(full.Result().pAD, 11.0 / (1 + a.sequentialAD));
    const std::string line = EdfDetails(a, true, '.');
    EXPECT_NE(line.find("(sequential: 10 of " + std::to_string(a.sequentialAD) + " replicates as far)"),
              std::string::npos) << line;
    // A normal law fitted to a skewed sample: no replicate as far, every one drawn.
    const TVector skewed = Drawn(TDistKind::Chi2, {3}, 300, 11);
    TVector normal{0, 1};
    ASSERT_TRUE(EstimateParams(TDistKind::Normal, skewed, normal, AllParams(TDistKind::Normal)));
    TEdfTest wrong(skewed, TDistKind::Normal, normal, AllParams(TDistKind::Normal), 7, 300, 0, 10);
    const TEdfResult w = wrong.Result();
    EXPECT_EQ(w.sequentialAD, 0);
    EXPECT_EQ(w.replicates, 300);
    EXPECT_EQ(EdfDetails(w, true, '.').find("sequential"), std::string::npos);
}

TEST(EdfBootstrap, RejectsAClearlyWrongHypothesisAndKeepsATrueOne)
{
    const TVector normal = Drawn(TDistKind::Normal, {10, 2}, 300, 11);
    const TVector skewed = Drawn(TDistKind::Chi2, {3}, 300, 11);
    for (const TVector* x : {&normal, &skewed}) {
        TVector params{0, 1};
        ASSERT_TRUE(EstimateParams(TDistKind::Normal, *x, params, AllParams(TDistKind::Normal)));
        TEdfTest test(*x, TDistKind::Normal, params, AllParams(TDistKind::Normal), 7, 300);
        const TEdfResult r = test.Result();
        if (x == &normal) {
            EXPECT_GT(r.pAD, 0.05);
            EXPECT_GT(r.pKS, 0.05);
        } else {
            EXPECT_LT(r.pAD, 0.01);
            EXPECT_LT(r.pKS, 0.05);
        }
    }
}

TEST(EdfBootstrap, ReplicatesWhoseEstimationRefusesAreDrawnAgain)
{
    // F fitted to a normal sample far from 0: its estimate of N lies at the largest whole
    // number served, and many replicates' estimates lie beyond it and refuse.
    const TVector x = Drawn(TDistKind::Normal, {10, 2}, 300, 8);
    TVector params{1, 1};
    ASSERT_TRUE(EstimateParams(TDistKind::F, x, params, AllParams(TDistKind::F)));
    TEdfTest test(x, TDistKind::F, params, AllParams(TDistKind::F), 3, 100);
    EXPECT_EQ(test.Result().replicates, 100);
}

TEST(EdfBootstrap, ReplicatesOfALargeSampleAreBounded)
{
    const std::size_t n = TEdfTest::LargestReplicate * 3;
    const TVector x = Drawn(TDistKind::Exponential, {2}, n, 3);
    TVector params{1};
    ASSERT_TRUE(EstimateParams(TDistKind::Exponential, x, params, AllParams(TDistKind::Exponential)));
    TEdfTest test(x, TDistKind::Exponential, params, AllParams(TDistKind::Exponential), 1, 20);
    const TEdfResult r = test.Result();
    EXPECT_EQ(r.n, n);
    EXPECT_EQ(r.replicateSize, TEdfTest::LargestReplicate);
    EXPECT_EQ(EdfDetails(r, true, ',').find(" of 2000)") != std::string::npos, true);
}

TEST(EdfBootstrap, CancelEndsPromptly)
{
    const TVector x = Drawn(TDistKind::Beta, {2, 5}, 2000, 9);
    TVector params{1, 1};
    ASSERT_TRUE(EstimateParams(TDistKind::Beta, x, params, AllParams(TDistKind::Beta)));
    const auto start = std::chrono::steady_clock::now();
    {
        TEdfTest test(x, TDistKind::Beta, params, AllParams(TDistKind::Beta), 1, 100000);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_FALSE(test.Done());
        EXPECT_LT(test.Progress(), 0.5);
    }  // the destructor cancels and waits
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(EdfBootstrap, AFaultOfTheHypothesisIsThrownAtTheResult)
{
    TEdfTest test({1, 2, 3}, TDistKind::Normal, {0, 0}, TParamSet(), 1);
    EXPECT_THROW(test.Result(), EMathError);
    EXPECT_THROW(TEdfTest({1, 2, 3}, TDistKind::Normal, {1}, TParamSet(), 1), EStat);
}

TEST(EdfDetailsText, SaysHowThePValueWasFound)
{
    TEdfResult r;
    r.n = 100;
    r.AD = 0.31105046;
    r.pAD = 0.5794;
    r.KS = 0.0230441;
    r.pKS = 0.22777;
    EXPECT_EQ(EdfDetails(r, true, ','), "A2 = 0,31105; p = 0,5794 (parameters given)");
    // From the bootstrap: the p-value with its Monte Carlo standard error, sqrt(p (1 - p) / B),
    // to its second digit; a bound at the floor; the replicates drawn again.
    r.replicates = 1000;
    r.replicateSize = 100;
    EXPECT_EQ(EdfDetails(r, false, '.'), "D = 0.0230441; p = 0.228 \u00b1 0.013 (1000 replicates)");
    r.pKS = 0.0035;
    EXPECT_EQ(EdfDetails(r, false, ','), "D = 0,0230441; p = 0,0035 \u00b1 0,0019 (1000 replicates)");
    r.pAD = 1.0 / 1001;
    r.redrawn = 3;
    EXPECT_EQ(EdfDetails(r, true, '.'), "A2 = 0.31105; p < 0.001 (1000 replicates, 3 redrawn)");
    r.replicates = 200;
    r.pAD = 1.0 / 201;
    r.redrawn = 0;
    EXPECT_EQ(EdfDetails(r, true, '.'), "A2 = 0.31105; p < 0.005 (200 replicates)");
    // Every replicate as far (a sample at the plotting positions): no error to size the
    // digits by, where log10(0) was converted to an int.
    r.pAD = 1;
    EXPECT_EQ(EdfDetails(r, true, '.'), "A2 = 0.31105; p = 1.000 ± 0.000 (200 replicates)");
}

// The same question gets the same bootstrap from its digest, in any run; its band is the
// replicates' 95 % point of sqrt(n) D, and the exact law's with the parameters given.
TEST(EdfBootstrap, TheSameQuestionGetsTheSameAnswer)
{
    const TVector x = Drawn(TDistKind::Weibull, {1.5, 3}, 300, 31);
    TVector params{1, 1};
    ASSERT_TRUE(EstimateParams(TDistKind::Weibull, x, params, AllParams(TDistKind::Weibull)));
    const auto run = [&](const TVector& data) {
        TEdfTest test(data, TDistKind::Weibull, params, AllParams(TDistKind::Weibull),
                      TEdfTest::SeedOf(data, TDistKind::Weibull, params, AllParams(TDistKind::Weibull)), 200);
        return test.Result();
    };
    const TEdfResult a = run(x), b = run(x);
    EXPECT_EQ(a.pAD, b.pAD);
    EXPECT_EQ(a.pKS, b.pKS);
    EXPECT_EQ(a.bandKS, b.bandKS);
    EXPECT_GT(a.bandKS, 0.5);
    EXPECT_LT(a.bandKS, 1.5);  // estimated parameters bring the fit closer than the law's 1.36
    TVector shifted = x;
    shifted.back() = std::nextafter(shifted.back(), 1e300);
    EXPECT_NE(TEdfTest::SeedOf(x, TDistKind::Weibull, params, AllParams(TDistKind::Weibull)),
              TEdfTest::SeedOf(shifted, TDistKind::Weibull, params, AllParams(TDistKind::Weibull)));
    TEdfTest typed(x, TDistKind::Weibull, {1.5, 3}, TParamSet(), 1);
    EXPECT_REL(typed.Result().bandKS, KolmogorovSmirnovPoint(300, 0.05) * std::sqrt(300.0), tol::Tol1);
}

// The law's point against scipy.stats.kstwo.isf (whose law at n = 1000 is the Pelz-Good
// series, 3e-8 from the exact point there).
TEST(EdfTypedLaws, KolmogorovSmirnovPointsAgreeWithScipy)
{
    EXPECT_REL(KolmogorovSmirnovPoint(5, 0.05), 0.5632751983660635, 1e-8);
    EXPECT_REL(KolmogorovSmirnovPoint(20, 0.05), 0.2940753144343289, 1e-8);
    EXPECT_REL(KolmogorovSmirnovPoint(100, 0.05), 0.13402791648569537, 1e-8);
    EXPECT_REL(KolmogorovSmirnovPoint(1000, 0.05), 0.042776500461244996, 1e-7);
    EXPECT_NEAR(KolmogorovSmirnovTypedP(1000, KolmogorovSmirnovPoint(1000, 0.05)), 0.05, 1e-10);
}

TEST(Ranking, PutsTheTrueKindNearTheTopAndSaysWhyOthersCannotBeFitted)
{
    const TVector x = Drawn(TDistKind::Weibull, {1.5, 3}, 1000, 21);
    TKindRanking ranking(x, 20, 1);
    const std::vector<TKindFit> fits = ranking.Result();
    ASSERT_EQ(fits.size(), static_cast<std::size_t>(DistKindCount));
    const auto weibull = std::find_if(fits.begin(), fits.end(), [](const TKindFit& f) {
        return f.kind == TDistKind::Weibull;
    });
    ASSERT_TRUE(weibull->fitted);
    EXPECT_LE(weibull->aic, fits.front().aic + 2);
    EXPECT_NEAR(weibull->aic, 4 - 2 * weibull->logLikelihood, tol::Tol2 * weibull->aic);
    EXPECT_NEAR(weibull->bic, 2 * std::log(1000.0) - 2 * weibull->logLikelihood,
                tol::Tol2 * weibull->bic);
    EXPECT_TRUE(weibull->chiSquareDone);
    bool fittedSeen = true;
    for (std::size_t i = 0; i < fits.size(); ++i) {
        if (i > 0 && fits[i].fitted) {
            EXPECT_LE(fits[i - 1].aic, fits[i].aic);
        }
        EXPECT_TRUE(fits[i].fitted || !fits[i].reason.empty());
        if (!fits[i].fitted)
            fittedSeen = false;
        else
            EXPECT_TRUE(fittedSeen) << "a fitted kind after one that is not";
    }
    // Beta needs values inside (0, 1): its reason names its parameters.
    const auto beta = std::find_if(fits.begin(), fits.end(), [](const TKindFit& f) {
        return f.kind == TDistKind::Beta;
    });
    EXPECT_FALSE(beta->fitted);
    EXPECT_NE(beta->reason.find("alpha and beta"), std::string::npos);
}

// AIC at the likelihood's maximum, not at the moments: Rayleigh's ro^2 is the sum of squares
// over 2n there, and its log-likelihood sum ln x - 2n ln ro - n. The tests are those of the
// tab's hypothesis (the moments' estimate), with the tab's seed: the same p-values.
TEST(Ranking, RanksAtTheLikelihoodsMaximumAndTestsTheTabsHypothesis)
{
    const TVector x = Drawn(TDistKind::Weibull, {1.5, 2}, 500, 22);
    TKindRanking ranking(x, 20, 200);
    const std::vector<TKindFit> fits = ranking.Result();
    const auto find = [&](TDistKind kind) {
        return *std::find_if(fits.begin(), fits.end(), [&](const TKindFit& f) { return f.kind == kind; });
    };
    const TKindFit rayleigh = find(TDistKind::Rayleigh);
    ASSERT_TRUE(rayleigh.fitted);
    long double squares = 0, logs = 0;
    for (double v : x) {
        squares += (long double)v * v;
        logs += std::log((long double)v);
    }
    const long double ro = std::sqrt(squares / 1000);
    EXPECT_REL(rayleigh.params[0], static_cast<double>(ro), tol::Tol1);
    EXPECT_REL(rayleigh.logLikelihood, static_cast<double>(logs - 1000 * std::log(ro) - 500), tol::Tol2);
    ASSERT_EQ(rayleigh.intervals.size(), 1u);
    EXPECT_EQ(rayleigh.methods[0], TIntervalMethod::Exact);
    TVector moments{1};
    ASSERT_TRUE(EstimateParams(TDistKind::Rayleigh, x, moments, AllParams(TDistKind::Rayleigh)));
    EXPECT_EQ(rayleigh.hypothesis, moments);
    TEdfTest tab(x, TDistKind::Rayleigh, moments, AllParams(TDistKind::Rayleigh),
                 TEdfTest::SeedOf(x, TDistKind::Rayleigh, moments, AllParams(TDistKind::Rayleigh)), 200);
    const TEdfResult r = tab.Result();
    EXPECT_EQ(rayleigh.edf.pAD, r.pAD);
    EXPECT_EQ(rayleigh.edf.pKS, r.pKS);
    // Weibull's estimates are its maximum: both the same, with profile intervals.
    const TKindFit weibull = find(TDistKind::Weibull);
    EXPECT_EQ(weibull.params, weibull.hypothesis);
    EXPECT_EQ(weibull.methods[0], TIntervalMethod::Profile);
    // Every kind's hypothesis is the tab's on Auto, whether estimated apart or taken from the
    // maximum where the listed estimates are the maximum.
    for (const TKindFit& f : fits) {
        if (!f.fitted)
            continue;
        TVector tab(ParamCount(f.kind), 0);
        ASSERT_TRUE(EstimateParams(f.kind, x, tab, AllParams(f.kind))) << KindIndex(f.kind);
        EXPECT_EQ(f.hypothesis, tab) << DistKindName[KindIndex(f.kind)];
    }
}

// The table first, every kind fitted and ranked, its intervals and tests not yet formed; they
// fill in row by row to the end, and a cancelled ranking ends at once with the rows it had.
TEST(Ranking, TheTableComesFirstAndItsTestsFillIn)
{
    const TVector x = Drawn(TDistKind::Gamma, {2, 1}, 300, 23);
    {
        TKindRanking ranking(x, 10, 200);
        while (!ranking.TableReady())
            std::this_thread::yield();
        const std::vector<TKindFit> table = ranking.Snapshot();
        ASSERT_EQ(table.size(), static_cast<std::size_t>(DistKindCount));
        const std::vector<TKindFit> fits = ranking.Result();
        ASSERT_EQ(fits.size(), table.size());
        for (std::size_t i = 0; i < fits.size(); ++i) {
            EXPECT_EQ(fits[i].kind, table[i].kind);  // the order of the first table stands
            EXPECT_EQ(fits[i].aic, table[i].aic);
            EXPECT_EQ(fits[i].fitted, table[i].fitted);
            if (fits[i].fitted) {
                EXPECT_TRUE(fits[i].intervalsDone && fits[i].tested) << DistKindName[KindIndex(fits[i].kind)];
                EXPECT_TRUE(fits[i].edfDone || !fits[i].reason.empty());
            }
        }
        EXPECT_TRUE(ranking.Done());
        EXPECT_EQ(ranking.Progress(), 1);
    }
    TKindRanking cancelled(x, 10, 1000);
    while (!cancelled.TableReady())
        std::this_thread::yield();
    cancelled.Cancel();
    const std::vector<TKindFit> fits = cancelled.Result();
    EXPECT_TRUE(cancelled.Done());
    ASSERT_EQ(fits.size(), static_cast<std::size_t>(DistKindCount));
    EXPECT_FALSE(std::all_of(fits.begin(), fits.end(), [](const TKindFit& f) { return f.tested; }));
}

TEST(Ranking, TheUniformsEndsTakeTheDensityFromInside)
{
    const TVector x = Drawn(TDistKind::Uniform, {-2, 5}, 500, 4);
    TKindRanking ranking(x, 10, 1);
    const std::vector<TKindFit> fits = ranking.Result();
    EXPECT_EQ(fits.front().kind, TDistKind::Uniform);
    double lo = x[0], hi = x[0];
    for (double v : x) {
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    EXPECT_NEAR(fits.front().logLikelihood, -500 * std::log(hi - lo), tol::Tol3 * 500);
}

TEST(EdfBootstrap, HandsOverTheSampleItSorted)
{
    TEdfTest test({3, 1, 2}, TDistKind::NormalStd, {}, TParamSet(), 1);
    EXPECT_EQ(test.TakeSorted(), (TVector{1, 2, 3}));
}

TEST(QuantilePlot, SpreadsOrderStatisticsFromTheSmallestToTheLargest)
{
    TVector x(10001);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = static_cast<double>(i);  // 0 to 10000
    const TQuantilePairs q = QuantilePairs(x, TDistKind::Uniform, {0, 10001}, 101);
    ASSERT_EQ(q.sample.size(), 101u);
    EXPECT_EQ(q.sample.front(), 0);
    EXPECT_EQ(q.sample.back(), 10000);
    EXPECT_EQ(q.sample[50], 5000);
    EXPECT_NEAR(q.empirical[50], 5000.5 / 10001, tol::Tol0);
    EXPECT_NEAR(q.hypothesised[50], 5000.5, tol::Tol3 * 5000);
    EXPECT_NEAR(q.probabilities[50], 5000.0 / 10001, tol::Tol1);
    EXPECT_EQ(QuantilePairs({1, 2}, TDistKind::NormalStd, {}, 2000).sample.size(), 2u);
}
