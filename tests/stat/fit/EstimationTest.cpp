#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "Oracle.h"
#include "Tolerances.h"

namespace {
TParamSet Both()
{
    TParamSet s;
    s.set(0);
    s.set(1);
    return s;
}
TParamSet Only(int i)
{
    TParamSet s;
    s.set(i);
    return s;
}
TParamSet All()
{
    TParamSet s;
    s.set(0);
    s.set(1);
    s.set(2);
    return s;
}

// Fixed samples (drawn once by scipy, rounded) and the maximum-likelihood estimates of them
// that mpmath finds at 40 digits (the score's root; for whole degrees of freedom the whole
// numbers of largest likelihood, by a search of the whole grid).
const TVector CauchySample{
    4.9878, 1.1354, 1.9854, 0.0761, 1.9859, -21.5584, 0.9356, 5.2945, 4.3496, -24.8094,
    6.8864, 6.5324, 2.0624, -5.3161, -20.6069, -3.1539, 0.6444, 3.0478, 4.6608, 8.0253,
    4.835, -8.1275, 15.8526, 2.7764, 5.333};
const TVector BetaSample{
    0.98839, 0.92675, 0.76279, 0.89165, 0.92587, 0.90272, 0.24279, 0.86967, 0.441, 0.86613,
    0.98229, 0.85804, 0.83575, 0.94702, 0.64989, 0.51493, 0.97448, 0.9724, 0.82714, 0.64101,
    0.76904, 0.998, 0.29541, 0.92374, 0.98347};
const TVector WeibullSample{
    2.4972, 3.8173, 6.7334, 2.5676, 2.472, 2.1518, 5.0078, 0.9464, 0.9362, 5.3109, 1.6997,
    1.9655, 5.6726, 6.4863, 2.4685, 1.4539, 2.4999, 3.295, 7.1814, 3.473, 1.7123, 2.1511,
    0.5743, 0.2657, 6.3622};
const TVector ParetoSample{
    3.0265, 2.2862, 2.1238, 3.6522, 6.4476, 2.1459, 2.7015, 2.0998, 2.0299, 3.0241, 2.2087,
    8.7032, 2.0931, 2.4883, 33.0609, 2.8122, 2.7013, 2.1285, 2.8305, 4.1852, 2.3127, 2.4719,
    2.826, 2.0814, 2.1829};
const TVector ExtrValueSample{
    10.023, 10.961, 3.5503, 2.7881, 6.3088, 6.2263, 6.2022, 3.5813, 10.7566, 6.8667, 5.4466,
    8.2941, 4.3086, 6.5874, 8.152, 6.0929, 2.65, 3.9463, 5.4807, 3.2288, 4.4446, 3.7196,
    7.3118, 11.3612, 4.051};
const TVector BoundedExtrValueSample{
    6.1132, 5.4039, 7.826, 5.4622, 4.4433, 7.7306, 5.764, 7.49, 8.6854, 7.6183, 5.5748,
    6.6621, 5.396, 6.2838, 5.899, 4.9971, 4.9808, 1.064, 8.8529, 4.0228, 5.8969, 7.5924,
    6.7273, 8.254, 5.936};
const TVector GumbelSample{
    -0.6225, 12.934, -1.9502, 0.146, 2.3051, 2.1032, 8.955, -0.4548, 4.5882, 0.4372,
    -0.7992, 4.257, 0.459, 0.5202, 0.0885, 3.418, -1.0429, -0.2394, 10.4587, 1.5974, 7.5659,
    9.8726, 6.114, 0.6332, 0.7559};
const TVector Chi2Sample{
    7.967, 4.754, 16.988, 6.422, 10.806, 6.42, 8.572, 7.915, 4.344, 4.221, 7.243, 4.334,
    5.57, 17.263, 7.085, 11.106, 7.49, 5.228, 2.344, 10.377, 18.71, 11.738, 6.498, 7.898,
    5.162};
const TVector StudentSample{
    -0.239, -0.473, -0.611, -0.28, 0.812, -1.042, 0.454, 3.282, 0.633, 0.224, -0.782, 1.389,
    -1.957, 0.538, 0.165, 0.657, 0.969, -2.022, -1.275, -0.521, 1.386, 0.543, 0.367, 0.265,
    -0.681, -0.259, -0.487, -0.292, 1.053, 1.205, -2.049, -0.472, -0.486, -0.238, 0.854,
    -1.547, -2.202, -0.991, -0.124, -1.592};
const TVector FSample{
    1.099, 0.774, 1.701, 1.128, 0.781, 1.825, 0.587, 2.361, 2.867, 0.95, 1.266, 0.317,
    0.827, 1.125, 1.029, 1.494, 0.679, 1.647, 1.348, 0.172, 1.39, 1.999, 3.065, 0.514,
    0.483, 0.685, 0.83, 1.731, 0.702, 0.957, 0.621, 0.452, 0.435, 0.828, 0.437, 1.646,
    0.283, 0.29, 1.597, 0.75};

std::string RefusalOf(TDistKind kind, const TVector& data, TVector& params, const TParamSet& which)
{
    const TVector before = params;
    std::string refusal;
    EXPECT_FALSE(EstimateParams(kind, data, params, which, refusal));
    EXPECT_EQ(params, before) << refusal;
    return refusal;
}
}  // namespace

TEST(EstimateParams, FewerThanThreeValuesWriteNothingAndNothingAskedSucceeds)
{
    for (int k = 0; k < DistKindCount; ++k) {
        const TDistKind kind = static_cast<TDistKind>(k);
        TVector params(static_cast<std::size_t>(ParamCount(kind)), 0.5);
        const TVector before = params;
        std::string refusal = "left over";
        EXPECT_EQ(EstimateParams(kind, {0.25, 0.5}, params, All(), refusal), false) << k;
        EXPECT_EQ(refusal, "");
        EXPECT_TRUE(EstimateParams(kind, {0.25, 0.5, 0.75}, params, TParamSet())) << k;
        EXPECT_EQ(params, before);
    }
}

// A parameter vector of the wrong length is refused before anything is written (a short one
// was written past its end before).
TEST(EstimateParams, AParameterVectorOfTheWrongLengthIsRefused)
{
    for (TDistKind k : {TDistKind::Normal, TDistKind::LogNormal, TDistKind::F, TDistKind::Chi2}) {
        for (int extra : {-1, 1}) {
            TVector params(static_cast<std::size_t>(ParamCount(k) + extra), 5.0);
            const TVector before = params;
            EXPECT_THROW(EstimateParams(k, {1, 2, 3, 4}, params, Both()), EStat) << KindIndex(k);
            EXPECT_EQ(params, before);
        }
    }
}

TEST(EstimateParams, MomentFormulasOnSmallSamples)
{
    TVector p{0, 0};
    ASSERT_TRUE(EstimateParams(TDistKind::Uniform, {3, 1, 2}, p, Both()));
    EXPECT_EQ(p, (TVector{1, 3}));
    ASSERT_TRUE(EstimateParams(TDistKind::Normal, {1, 2, 3}, p, Both()));
    EXPECT_EQ(p, (TVector{2, 1}));
    // Logistic: s = sqrt(3 s2) / pi with s2 = 1.
    ASSERT_TRUE(EstimateParams(TDistKind::Logistic, {1, 2, 3}, p, Both()));
    EXPECT_EQ(p[0], 2);
    EXPECT_DOUBLE_EQ(p[1], std::sqrt(3.0) / M_PI);
    TVector one{0};
    EXPECT_TRUE(EstimateParams(TDistKind::Exponential, {-1, 0, 1}, one, Only(0)));
    EXPECT_EQ(one[0], 1);
    EXPECT_TRUE(EstimateParams(TDistKind::Exponential, {1, 2, 3}, one, Only(0)));
    EXPECT_EQ(one[0], 0.5);
    EXPECT_TRUE(EstimateParams(TDistKind::Rayleigh, {1, 2, 3}, one, Only(0)));
    EXPECT_DOUBLE_EQ(one[0], 2 / std::sqrt(M_PI / 2));
    // LogNormal: from the logarithms of the data. ro reads the mu already held when only
    // index 1 is asked for (it was ln(mean), and a ro formula that gave 0.21 for a sample of
    // LogNormal(0, 0.5)).
    const double l2 = std::log(2.0), l3 = std::log(3.0);
    TVector ln{0, 5};
    ASSERT_TRUE(EstimateParams(TDistKind::LogNormal, {1, 2, 3}, ln, Only(1)));
    EXPECT_EQ(ln[0], 0);
    EXPECT_REL(ln[1], std::sqrt((l2 * l2 + l3 * l3) / 2), tol::Tol0);
    ASSERT_TRUE(EstimateParams(TDistKind::LogNormal, {1, 2, 3}, ln, Both()));
    const double mu = (l2 + l3) / 3;
    EXPECT_REL(ln[0], mu, tol::Tol0);
    EXPECT_REL(ln[1], std::sqrt((mu * mu + (l2 - mu) * (l2 - mu) + (l3 - mu) * (l3 - mu)) / 2), tol::Tol0);
}

TEST(EstimateParams, MaximumLikelihoodOfTheContinuousParameters)
{
    const auto estimate = [](TDistKind kind, const TVector& data, TVector params, const TParamSet& which) {
        std::string refusal;
        EXPECT_TRUE(EstimateParams(kind, data, params, which, refusal)) << refusal;
        return params;
    };
    const auto expect = [](const TVector& got, const TVector& truth) {
        ASSERT_EQ(got.size(), truth.size());
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_REL(got[i], truth[i], tol::Tol4) << i;
    };
    // Both free, and one with the other typed.
    expect(estimate(TDistKind::Cauchy, CauchySample, {0, 1}, Both()), {3.0803036360247366, 2.777778662138419});
    expect(estimate(TDistKind::Cauchy, CauchySample, {3, 1}, Only(1)), {3, 2.7806742735824208});
    expect(estimate(TDistKind::Beta, BetaSample, {1, 1}, Both()), {2.5719573873415288, 0.6735274708000264});
    expect(estimate(TDistKind::Beta, BetaSample, {1, 1}, Only(0)), {3.6033242554261086, 1});
    expect(estimate(TDistKind::Weibull, WeibullSample, {1, 1}, Both()), {1.6017542308422291, 3.5581103224457042});
    // With k typed lambda is (mean x^k)^(1/k).
    expect(estimate(TDistKind::Weibull, WeibullSample, {2, 1}, Only(1)), {2, 3.7784857140394218});
    // Pareto: xm is the smallest value, alpha = n / sum ln(x / xm).
    expect(estimate(TDistKind::Pareto, ParetoSample, {1, 1}, Both()), {2.0299, 2.4712188376596777});
    expect(estimate(TDistKind::ExtrValue, ExtrValueSample, {0, 1, 0}, All()),
           {4.8016921563720733, 1.9150298290577193, 0.093277461710269205});
    // A bounded support (xi < 0): the largest value is near the end mu - ro / xi.
    expect(estimate(TDistKind::ExtrValue, BoundedExtrValueSample, {0, 1, 0}, All()),
           {5.8229268381096342, 1.8146414220172036, -0.54347089008931537});
    // xi typed 0: the Gumbel law's estimates.
    expect(estimate(TDistKind::ExtrValue, GumbelSample, {0, 1, 0}, Both()),
           {1.100371726124918, 2.7565190857539405, 0});
}

TEST(EstimateParams, WholeDegreesOfFreedomOfLargestLikelihood)
{
    TVector one{0};
    ASSERT_TRUE(EstimateParams(TDistKind::Chi2, Chi2Sample, one, Only(0)));
    EXPECT_EQ(one[0], 8);
    ASSERT_TRUE(EstimateParams(TDistKind::Student, StudentSample, one, Only(0)));
    EXPECT_EQ(one[0], 10);
    // F: the continuous maximum is at (6.62, 26.93), the whole one at (7, 24), off the
    // corners around it: the likelihood's ridge runs aslant.
    TVector f{1, 1};
    ASSERT_TRUE(EstimateParams(TDistKind::F, FSample, f, Both()));
    EXPECT_EQ(f, (TVector{7, 24}));
    // Lighter tails than any Student law: the largest N served (the variance's formula gave
    // a negative N, and the estimation failed).
    ASSERT_TRUE(EstimateParams(TDistKind::Student, {-1, 0, 0, 0, 1}, one, Only(0)));
    EXPECT_EQ(one[0], 1e6);
    // Chi2 N from the mean of ln x: a sample of Chi2(200) gives 200 give or take its noise,
    // where the old mean-and-variance formula was several times noisier.
    std::mt19937_64 g(1);
    std::chi_squared_distribution<double> chi2(200);
    TVector big(20000);
    for (double& x : big)
        x = chi2(g);
    ASSERT_TRUE(EstimateParams(TDistKind::Chi2, big, one, Only(0)));
    EXPECT_NEAR(one[0], 200, 3);
}

TEST(EstimateParams, RefusalsSayWhichParameterAndWhyAndWriteNothing)
{
    TVector two{7, 8};
    EXPECT_EQ(RefusalOf(TDistKind::LogNormal, {-1, 0, 1}, two, Both()),
              "mu and ro cannot be estimated: the buffer holds values at or below 0.");
    EXPECT_EQ(RefusalOf(TDistKind::Beta, {0.5, 0.25, 1}, two, Both()),
              "alpha and beta cannot be estimated: the buffer holds values outside (0, 1).");
    EXPECT_EQ(RefusalOf(TDistKind::Weibull, {1, 2, 0}, two, Only(0)),
              "k cannot be estimated: the buffer holds values at or below 0.");
    EXPECT_EQ(RefusalOf(TDistKind::F, {1, -2, 3}, two, Only(1)),
              "M cannot be estimated: the buffer holds values at or below 0.");
    EXPECT_EQ(RefusalOf(TDistKind::Cauchy, {4, 4, 4, 4}, two, Both()),
              "a and lambda cannot be estimated: all values are equal.");
    // Pareto with xm typed above the smallest value; xm is written before alpha is refused,
    // and is not kept.
    EXPECT_EQ(RefusalOf(TDistKind::Pareto, {1, 2, 3}, two, Only(1)),
              "alpha cannot be estimated: the buffer holds values below xm.");
    EXPECT_EQ(RefusalOf(TDistKind::Pareto, {3, 3, 3}, two, Both()),
              "xm and alpha cannot be estimated: all values are equal to xm.");
    TVector three{0, 1, 0};
    EXPECT_EQ(RefusalOf(TDistKind::ExtrValue, {2, 2, 2}, three, All()),
              "mu, ro and xi cannot be estimated: all values are equal.");
    // An estimate outside the values the parameter may take: the normal's ro of a constant
    // sample.
    EXPECT_EQ(RefusalOf(TDistKind::Normal, {5, 5, 5}, two, Both()),
              "ro cannot be estimated: the estimate 0 lies outside the values it may take.");
    // Beta shapes beyond 709: values this close together.
    EXPECT_EQ(RefusalOf(TDistKind::Beta, {0.5, 0.5000001, 0.4999999}, two, Both()).substr(0, 41),
              "alpha cannot be estimated: the estimate 1");
}

TEST(EstimateParams, FloatingPointFaultsPropagateWritingNothing)
{
    // An exponential rate beyond the doubles.
    TVector one{3};
    try {
        EstimateParams(TDistKind::Exponential, {1e-310, 1e-310, 2e-310}, one, Only(0));
        ADD_FAILURE() << "no error";
    } catch (const EMathError& e) {
        EXPECT_STREQ(e.what(), "Floating point overflow");
    }
    EXPECT_EQ(one[0], 3);
}

// Each kind estimates a sample of its own law near the truth (every one did, or had no
// estimate at all).
TEST(EstimateParams, EveryKindEstimatesItsOwnSample)
{
    std::mt19937_64 g(20261209);
    const auto draw = [&](auto law) {
        TVector sample(5000);
        for (double& x : sample)
            x = law(g);
        return sample;
    };
    std::gamma_distribution<double> ga(2), gb(5);
    std::exponential_distribution<double> e(1);
    const struct {
        TDistKind kind;
        TVector truth;
        TVector sample;
    } cases[] = {
        {TDistKind::Uniform, {-2, 5}, draw(std::uniform_real_distribution<double>(-2, 5))},
        {TDistKind::Normal, {10, 2}, draw(std::normal_distribution<double>(10, 2))},
        {TDistKind::Chi2, {40}, draw(std::chi_squared_distribution<double>(40))},
        {TDistKind::Student, {5}, draw(std::student_t_distribution<double>(5))},
        {TDistKind::LogNormal, {2, 1}, draw(std::lognormal_distribution<double>(2, 1))},
        {TDistKind::Exponential, {2}, draw(std::exponential_distribution<double>(2))},
        {TDistKind::F, {6, 20}, draw(std::fisher_f_distribution<double>(6, 20))},
        {TDistKind::Cauchy, {3, 2}, draw(std::cauchy_distribution<double>(3, 2))},
        {TDistKind::Logistic, {1, 2}, draw([&](auto& r) { const double u = std::generate_canonical<double, 53>(r); return 1 + 2 * std::log(u / (1 - u)); })},
        {TDistKind::Beta, {2, 5}, draw([&](auto& r) { const double x = ga(r); return x / (x + gb(r)); })},
        {TDistKind::Rayleigh, {1.5}, draw([&](auto& r) { return 1.5 * std::sqrt(2 * e(r)); })},
        {TDistKind::Weibull, {1.5, 3}, draw(std::weibull_distribution<double>(1.5, 3))},
        {TDistKind::Pareto, {1, 3}, draw([&](auto& r) { return std::exp(e(r) / 3); })},
        {TDistKind::ExtrValue, {5, 2, 0.2}, draw([&](auto& r) { return 5 + 2 * std::expm1(-0.2 * std::log(e(r))) / 0.2; })},
    };
    for (const auto& c : cases) {
        TVector params(c.truth.size(), 1);
        std::string refusal;
        ASSERT_TRUE(EstimateParams(c.kind, c.sample, params, All(), refusal)) << KindIndex(c.kind) << refusal;
        for (std::size_t i = 0; i < params.size(); ++i)
            EXPECT_NEAR(params[i], c.truth[i], 0.1 * std::fabs(c.truth[i]) + 0.05) << KindIndex(c.kind) << " " << i;
    }
}

// Only estimates that use up a degree of freedom count: not whole degrees of freedom, nor the
// sample's extremes (the uniform's ends, the Pareto minimum).
TEST(DistFreedomUsed, ContinuousEstimatesThatAreNotExtremes)
{
    const std::pair<TDistKind, int> allOnAuto[] = {
        {TDistKind::UniformStd, 0}, {TDistKind::Uniform, 0}, {TDistKind::NormalStd, 0},
        {TDistKind::Normal, 2},     {TDistKind::Chi2, 0},    {TDistKind::Student, 0},
        {TDistKind::LogNormal, 2},  {TDistKind::Exponential, 1}, {TDistKind::F, 0},
        {TDistKind::Cauchy, 2},     {TDistKind::Logistic, 2}, {TDistKind::Beta, 2},
        {TDistKind::Rayleigh, 1},   {TDistKind::Weibull, 2}, {TDistKind::Pareto, 1},
        {TDistKind::ExtrValue, 3}};
    for (const auto& [kind, used] : allOnAuto)
        EXPECT_EQ(DistFreedomUsed(kind, All()), used) << KindIndex(kind);
    EXPECT_EQ(DistFreedomUsed(TDistKind::Pareto, Only(0)), 0);
    EXPECT_EQ(DistFreedomUsed(TDistKind::Pareto, Only(1)), 1);
    EXPECT_EQ(DistFreedomUsed(TDistKind::ExtrValue, Only(2)), 1);
    EXPECT_EQ(DistFreedomUsed(TDistKind::Normal, TParamSet()), 0);
}

TEST(ChiSquareCritical, TableRowsInterpolationAndEnds)
{
    const std::pair<int, double> rows[] = {
        {1, 3.841459}, {2, 5.991465}, {5, 11.0705}, {10, 18.30704}, {100, 124.3421},
        {120, 146.5674}, {122, 148.7793}, {180, 212.3039}, {185, 217.735}, {310, 352.0617},
        {350, 394.6258}, {500, 553.1268}, {800, 866.9114}, {810, 877.3215}, {990, 1064.311},
        {1024, 1099.557}, {2048, 2154.395}};
    for (const auto& [df, value] : rows)
        EXPECT_EQ(ChiSquareCritical(df), value) << df;
    EXPECT_DOUBLE_EQ(ChiSquareCritical(121), 147.67335);
    EXPECT_LT(ChiSquareCritical(16777215), 200000.0);
    EXPECT_GT(ChiSquareCritical(16777215), 199999.0);
    for (int df : {16777216, 2147483647, 0, -5}) {
        try {
            ChiSquareCritical(df);
            ADD_FAILURE() << df;
        } catch (const EStat& e) {
            EXPECT_STREQ(e.what(), "Count of parameters was not found");
        }
    }
}
