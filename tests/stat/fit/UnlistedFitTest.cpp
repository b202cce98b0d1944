// The estimates of the kinds added after the sixteen: at least scipy's likelihood on the same
// samples, the same maximum whichever parameters are typed, the threshold's rule where the
// likelihood has no maximum, refusals that name the parameters, and their intervals.
#include <gtest/gtest.h>

#include <boost/math/special_functions/trigamma.hpp>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

#include "Fit_Lib.h"
#include "GenPareto.h"
#include "Gamma3.h"
#include "LogNormal3.h"
#include "Weibull3.h"

namespace {
// The samples of scripts/scipy_fits.py, drawn alike: a 64-bit linear congruential generator
// and the same closed-form transformations, so both sides hold the same doubles.
class Draws {
public:
    explicit Draws(std::uint64_t seed) : s_(seed) {}
    double U()
    {
        s_ = s_ * 6364136223846793005ull + 1442695040888963407ull;
        return (static_cast<double>(s_ >> 11) + 0.5) * 0x1p-53;
    }
    double Z()
    {
        const double u1 = U(), u2 = U();
        return std::sqrt(-2 * std::log(u1)) * std::cos(6.283185307179586 * u2);
    }
    double Gamma()  // Gamma(2.5, 1.5)
    {
        const double a = U(), b = U(), z = Z();
        return 1.5 * (-std::log(a) - std::log(b) + z * z / 2);
    }

private:
    std::uint64_t s_;
};

double Draw(TDistKind kind, Draws& d)
{
    switch (kind) {
    case TDistKind::Gamma:
        return d.Gamma();
    case TDistKind::Weibull3:
        return 10 + 2 * std::pow(-std::log(d.U()), 0.4);
    case TDistKind::LogNormal3:
        return 5 + std::exp(0.5 * d.Z());
    case TDistKind::Gamma3:
        return 10 + d.Gamma();
    case TDistKind::Exponential2:
        return 5 - std::log(d.U());
    case TDistKind::LogLogistic: {
        const double u = d.U();
        return 2 * std::pow(u / (1 - u), 1.0 / 3);
    }
    case TDistKind::GenPareto:
        return std::expm1(0.2 * -std::log(d.U())) / 0.2;
    case TDistKind::InvGauss: {
        const double z = d.Z(), y = z * z;
        const double x = 1 + y / 4 - std::sqrt(8 * y + y * y) / 4;
        return d.U() <= 1 / (1 + x) ? x : 1 / x;
    }
    case TDistKind::Laplace: {
        const double a = d.U();
        return std::log(a / d.U());
    }
    default:
        return std::log(-std::log(d.U()));
    }
}

TVector Sample(TDistKind kind, std::size_t n, std::uint64_t seed)
{
    Draws d(seed);
    TVector x(n);
    for (double& v : x)
        v = Draw(kind, d);
    return x;
}


TVector Fit(TDistKind kind, const TVector& data, const TParamSet& which, TVector params = {})
{
    if (params.empty())
        params.assign(ParamCount(kind), 1);
    std::string refusal;
    EXPECT_TRUE(EstimateParams(kind, data, params, which, refusal))
        << DistKindName[KindIndex(kind)] << ": " << refusal;
    return params;
}

constexpr int FirstUnlisted = static_cast<int>(TDistKind::Gamma);
}  // namespace

TEST(UnlistedFit, TheLikelihoodAtTheEstimatesIsAtLeastScipys)
{
    std::ifstream in(VELMORA_SCIPY_FITS);
    std::string line;
    int rows = 0, singular = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        int kindIndex = 0, n = 0, sample = 0, atSingularity = 0;
        double scipy = 0;
        fields >> kindIndex >> n >> sample >> scipy >> atSingularity;
        const TDistKind kind = static_cast<TDistKind>(kindIndex);
        const TVector data = Sample(kind, n, 1000003ull * kindIndex + 7919ull * n + sample);
        const TVector params = Fit(kind, data, AllParams(kind));
        const double ours = LogLikelihood(kind, data, params);
        ++rows;
        if (atSingularity) {
            // scipy's threshold sits on the smallest value, where the likelihood has no
            // maximum; ours lies below it by the rule.
            ++singular;
            EXPECT_LT(params.back(), *std::min_element(data.begin(), data.end()));
            continue;
        }
        EXPECT_GE(ours, scipy - 1e-6) << DistKindName[kindIndex] << " n " << n << " #" << sample;
    }
    EXPECT_EQ(rows, 400);
    EXPECT_LE(singular, 2);
}

TEST(UnlistedFit, AnyParameterTypedAtTheMaximumLeavesTheOthersThere)
{
    for (int k = FirstUnlisted; k < DistKindCount; ++k) {
        const TDistKind kind = static_cast<TDistKind>(k);
        const TVector data = Sample(kind, 300, 17 + k);
        const TVector best = Fit(kind, data, AllParams(kind));
        for (int typed = 0; typed < ParamCount(kind); ++typed) {
            TParamSet which = AllParams(kind);
            which.reset(typed);
            TVector start(ParamCount(kind), 1);
            start[typed] = best[typed];
            const TVector again = Fit(kind, data, which, start);
            EXPECT_EQ(again[typed], best[typed]);
            for (int i = 0; i < ParamCount(kind); ++i)
                EXPECT_NEAR(again[i], best[i], 1e-6 * (std::fabs(best[i]) + 1e-3))
                    << DistKindName[k] << " typed " << typed << " param " << i;
        }
    }
}

TEST(UnlistedFit, AThresholdWithoutALocalMaximumGivesTheSmallestValueItsExpectedProbability)
{
    // Weibull(0.7) from 3: the likelihood only grows toward the smallest value.
    Draws d(99);
    TVector data(400);
    for (double& x : data)
        x = 3 + std::pow(-std::log(d.U()), 1 / 0.7);
    const TVector params = Fit(TDistKind::Weibull3, data, AllParams(TDistKind::Weibull3));
    const double smallest = *std::min_element(data.begin(), data.end());
    EXPECT_LT(params[2], smallest);
    EXPECT_NEAR(DistEval(TDistKind::Weibull3, TDistFunc::Distribution, params, smallest), 1.0 / 401,
                1e-9);
    EXPECT_NEAR(params[0], 0.7, 0.1);
    // With a local maximum (shape 2.5), the threshold is that maximum: the likelihood falls on
    // either side of it.
    const TVector regular = Sample(TDistKind::Weibull3, 400, 5);
    const TVector at = Fit(TDistKind::Weibull3, regular, AllParams(TDistKind::Weibull3));
    const double best = LogLikelihood(TDistKind::Weibull3, regular, at);
    for (double step : {-1e-3, 1e-3}) {
        TVector moved = at;
        moved[2] += step;
        TParamSet others = AllParams(TDistKind::Weibull3);
        others.reset(2);
        moved = Fit(TDistKind::Weibull3, regular, others, moved);
        EXPECT_LT(LogLikelihood(TDistKind::Weibull3, regular, moved), best) << step;
    }
}

// The log-normal, Gamma and Weibull bases give their maximum and the log-likelihood there
// sooner (logarithms taken once, the parts of the parameters alone formed once): the same bits
// of the threshold kinds' estimates as the base's estimator followed by its log-density value
// by value, whichever parameters are estimated, on samples with a maximum of the profile and
// without one (rising steeply from the threshold), and for a Gamma shape on either side of
// 20, where its kernel changes form.
TEST(UnlistedFit, TheThresholdsProfileSoonerKeepsItsBits)
{
    struct Case {
        const TFamily &kind, &base;
        TVector start;
        std::vector<TVector> samples;
    };
    Draws d(3);
    TVector steep(300), broad(300), rising(300);
    for (double& x : steep)
        x = 2 + std::exp(2.5 * d.Z());
    for (double& x : broad) {
        double sum = 0;  // Gamma(30, 1) from 10: the mean of 30 exponentials, times 30
        for (int i = 0; i < 30; ++i)
            sum -= std::log(d.U());
        x = 10 + sum;
    }
    for (double& x : rising)  // Weibull(0.7) from 3: no local maximum
        x = 3 + std::pow(-std::log(d.U()), 1 / 0.7);
    const Case cases[] = {
        {LogNormal3Family, LogNormalFamily, {0.5, 1.5, 0},
         {Sample(TDistKind::LogNormal3, 30, 1), Sample(TDistKind::LogNormal3, 1000, 2), steep}},
        {Gamma3Family, GammaFamily, {2, 1, 0},
         {Sample(TDistKind::Gamma3, 30, 4), Sample(TDistKind::Gamma3, 1000, 5), broad}},
        {Weibull3Family, WeibullFamily, {2, 1, 0},
         {Sample(TDistKind::Weibull3, 30, 6), Sample(TDistKind::Weibull3, 1000, 7), rising}},
    };
    for (const Case& c : cases) {
        TFamily valueByValue = c.base;
        valueByValue.maximumLikelihood = nullptr;
        const TParamSet all = AllParams(c.kind.kind);
        TParamSet firstTyped = all, secondTyped = all;
        firstTyped.reset(0);
        secondTyped.reset(1);
        for (const TVector& data : c.samples)
            for (const TParamSet& which : {all, firstTyped, secondTyped}) {
                TVector onePass = c.start, reference = c.start;
                ShiftedEstimate(c.kind, c.base, data, onePass, which);
                ShiftedEstimate(c.kind, valueByValue, data, reference, which);
                EXPECT_EQ(onePass, reference)
                    << c.kind.name << ", " << data.size() << " values, " << which.to_string().substr(253);
            }
    }
}

// The generalised Pareto's profile is scanned in the doubles' arithmetic, each point with a
// bound on its distance from the extended value, which is formed only where a point may be
// the largest: the bound holds at every point of the grid on light and heavy tails (xi near -1,
// where 1 + theta z nearly vanishes at the largest value, up to xi = 5), samples of 3 to 2000,
// and flat and two-valued samples; and it is tight (a billionth of the profile) wherever the
// extended terms are themselves well formed, 1 + theta z above e^-10.
TEST(UnlistedFit, TheGeneralisedParetoProfileInDoublesIsWithinItsBound)
{
    std::vector<TVector> samples{{0, 0, 0, 1}, {0, 1}, {0, 1e-300, 1}, {0, 1, 1, 1, 1, 1e300}};
    std::uint64_t seed = 1;
    for (double xi : {-0.999, -0.9, -0.5, -0.1, 0.0, 0.2, 1.0, 5.0})
        for (std::size_t n : {3, 20, 200, 2000}) {
            Draws d(seed++);
            TVector z(n);
            for (double& v : z) {
                const double h = -std::log(d.U());
                v = xi == 0 ? h : std::expm1(xi * h) / xi;
            }
            const double least = *std::min_element(z.begin(), z.end());
            for (double& v : z)
                v -= least;
            samples.push_back(z);
        }
    int points = 0, bounded = 0, inner = 0, tight = 0;
    for (const TVector& z : samples)
        for (long double v = -40.125L; v <= 40.125L; v += 1) {
            ++points;
            long double quick = 0, bound = 0;
            if (!GenParetoQuickProfile(z, v, quick, bound))
                continue;
            ++bounded;
            const long double exact = GenParetoProfile(z, v);
            if (quick == -HUGE_VALL) {
                EXPECT_EQ(exact, -HUGE_VALL) << z.size() << " values, v " << double(v);
                continue;
            }
            EXPECT_LE(std::fabs(quick - exact), bound) << z.size() << " values, v " << double(v);
            if (v > -10) {
                ++inner;
                tight += bound <= 1e-9L * std::fabs(exact);
            }
        }
    EXPECT_GT(bounded, points * 9 / 10);
    EXPECT_EQ(tight, inner);
}

TEST(UnlistedFit, RefusalsNameTheParametersAndWhy)
{
    std::string refusal;
    TVector params{1, 1};
    EXPECT_FALSE(EstimateParams(TDistKind::Gamma, {1, 2, 0, 4}, params, AllParams(TDistKind::Gamma), refusal));
    EXPECT_NE(refusal.find("k and theta"), std::string::npos) << refusal;
    EXPECT_NE(refusal.find("at or below 0"), std::string::npos) << refusal;
    TVector gp{2, 1, 0.1};
    TParamSet scaleAndShape;
    scaleAndShape.set(1);
    scaleAndShape.set(2);
    EXPECT_FALSE(EstimateParams(TDistKind::GenPareto, {1, 2, 3, 4}, gp, scaleAndShape, refusal));
    EXPECT_NE(refusal.find("below mu"), std::string::npos) << refusal;
    EXPECT_EQ(gp, (TVector{2, 1, 0.1}));  // nothing written
    TVector w3{1, 1, 1};
    EXPECT_FALSE(EstimateParams(TDistKind::Weibull3, {5, 5, 5, 5}, w3, AllParams(TDistKind::Weibull3), refusal));
    EXPECT_NE(refusal.find("all values are equal"), std::string::npos) << refusal;
}

TEST(UnlistedFit, IntervalsOfAThresholdAndOfAnEnd)
{
    const TVector data = Sample(TDistKind::Weibull3, 300, 8);
    const TParamSet all = AllParams(TDistKind::Weibull3);
    const TVector params = Fit(TDistKind::Weibull3, data, all);
    std::vector<TIntervalMethod> methods;
    const auto intervals = ParamIntervals(TDistKind::Weibull3, data, params, all, 0.95, &methods);
    const double smallest = *std::min_element(data.begin(), data.end());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(methods[i], TIntervalMethod::Profile) << i;
        EXPECT_LT(intervals[i].lower, params[i]);
        EXPECT_GE(intervals[i].upper, params[i]);
    }
    EXPECT_LE(intervals[2].upper, smallest);
    // The generalised Pareto's mu: at the smallest value, below it by the law of the smallest
    // of n, GenPareto(0, sigma / n, xi / n).
    const TVector gpData = Sample(TDistKind::GenPareto, 200, 3);
    const TParamSet gpAll = AllParams(TDistKind::GenPareto);
    const TVector gp = Fit(TDistKind::GenPareto, gpData, gpAll);
    EXPECT_EQ(gp[0], *std::min_element(gpData.begin(), gpData.end()));
    const auto gpIntervals = ParamIntervals(TDistKind::GenPareto, gpData, gp, gpAll, 0.9, &methods);
    EXPECT_EQ(methods[0], TIntervalMethod::EndLaw);
    EXPECT_EQ(gpIntervals[0].upper, gp[0]);
    const double below = gp[0] - gpIntervals[0].lower;
    EXPECT_NEAR(below, gp[1] / 200 * std::expm1(-gp[2] / 200 * std::log(0.1)) / (gp[2] / 200),
                1e-12 * below);
    EXPECT_EQ(IntervalMethodName(TIntervalMethod::EndLaw), "the extreme's law at the estimates");
}

TEST(UnlistedFit, GammaStandardErrorsAreTheInformationsClosedForm)
{
    // At the maximum, sum x / theta = n k, so the observed information is the expected one,
    // n [[trigamma(k), 1 / theta], [1 / theta, k / theta^2]].
    const TVector data = Sample(TDistKind::Gamma, 500, 21);
    const TParamSet all = AllParams(TDistKind::Gamma);
    const TVector p = Fit(TDistKind::Gamma, data, all);
    const double k = p[0], theta = p[1], n = data.size();
    const double t = boost::math::trigamma(k), det = n * (k * t - 1);
    const auto iv = ParamIntervals(TDistKind::Gamma, data, p, all, 0.95);
    EXPECT_NEAR(iv[0].se, std::sqrt(k / det), 1e-6 * iv[0].se);
    EXPECT_NEAR(iv[1].se, std::sqrt(theta * theta * t / det), 1e-6 * iv[1].se);
}
