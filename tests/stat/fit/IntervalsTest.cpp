// How sure a fit is: standard errors against the closed forms of the information, exact
// intervals against Boost's quantiles, profile intervals against a profile formed here, and
// bootstraps that give the same answer to the same question.
#include <gtest/gtest.h>

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <random>
#include <string>

#include "Fit_Lib.h"
#include "Tolerances.h"

namespace {
namespace bm = boost::math;
using L = long double;

TVector Drawn(TDistKind kind, const TVector& params, std::size_t n, unsigned seed)
{
    std::mt19937_64 g(seed);
    std::uniform_real_distribution<double> u(0, 1);
    TVector x(n);
    for (double& v : x)
        v = DistEval(kind, TDistFunc::Inverse, params, u(g));
    return x;
}


TVector Estimated(TDistKind kind, const TVector& data)
{
    TVector params(ParamCount(kind), 1);
    EXPECT_TRUE(EstimateParams(kind, data, params, AllParams(kind)));
    return params;
}

L Sum(const TVector& x, double power)
{
    L s = 0;
    for (double v : x)
        s += std::pow(L(v), power);
    return s;
}

// The golden-section maximum of f over [a, b].
template <class F>
double Maximum(F f, double a, double b)
{
    const double r = (std::sqrt(5.0) - 1) / 2;
    double c = b - r * (b - a), d = a + r * (b - a);
    for (int i = 0; i < 200 && b - a > 1e-12 * std::fabs(a + b); ++i) {
        if (f(c) > f(d)) {
            b = d;
        } else {
            a = c;
        }
        c = b - r * (b - a);
        d = a + r * (b - a);
    }
    return f((a + b) / 2);
}
}  // namespace

// The standard errors of the observed information at the likelihood's maximum, where it has a
// closed form: the normal's (sigma / sqrt n, sigma / sqrt 2n, at the maximum's sigma, which
// divides by n), the exponential's (lambda / sqrt n), Rayleigh's (ro / 2 sqrt n) and
// Weibull's matrix, whose Hessian's entries are sums over the data.
TEST(Intervals, StandardErrorsAreThoseOfTheInformation)
{
    {
        const TVector x = Drawn(TDistKind::Normal, {10, 2}, 300, 1);
        const auto iv = ParamIntervals(TDistKind::Normal, x, Estimated(TDistKind::Normal, x),
                                       AllParams(TDistKind::Normal));
        const L n = x.size(), mean = Sum(x, 1) / n;
        L squares = 0;
        for (double v : x)
            squares += (v - mean) * (v - mean);
        const double sigma = static_cast<double>(std::sqrt(squares / n));
        EXPECT_REL(iv[0].se, sigma / std::sqrt(300.0), 1e-6);
        EXPECT_REL(iv[1].se, sigma / std::sqrt(600.0), 1e-6);
    }
    {
        const TVector x = Drawn(TDistKind::Exponential, {3}, 200, 2);
        const auto iv = ParamIntervals(TDistKind::Exponential, x,
                                       Estimated(TDistKind::Exponential, x), AllParams(TDistKind::Exponential));
        EXPECT_REL(iv[0].se, static_cast<double>(200 / Sum(x, 1)) / std::sqrt(200.0), 1e-6);
    }
    {
        const TVector x = Drawn(TDistKind::Rayleigh, {2}, 150, 3);
        const auto iv = ParamIntervals(TDistKind::Rayleigh, x, Estimated(TDistKind::Rayleigh, x),
                                       AllParams(TDistKind::Rayleigh));
        const double ro = static_cast<double>(std::sqrt(Sum(x, 2) / 300));
        EXPECT_REL(iv[0].se, ro / (2 * std::sqrt(150.0)), 1e-6);
    }
    {
        const TVector x = Drawn(TDistKind::Weibull, {1.5, 2}, 500, 4);
        const TVector est = Estimated(TDistKind::Weibull, x);
        const auto iv = ParamIntervals(TDistKind::Weibull, x, est, AllParams(TDistKind::Weibull));
        // With u = ln(x / lambda) and e = (x / lambda)^k, and sum e = n at the maximum.
        const L k = est[0], lambda = est[1], n = x.size();
        L eu = 0, euu = 0;
        for (double v : x) {
            const L u = std::log(v / lambda), e = std::pow(v / lambda, k);
            eu += e * u;
            euu += e * u * u;
        }
        const L a = n / (k * k) + euu, b = -k / lambda * eu, c = k * k * n / (lambda * lambda);
        const L det = a * c - b * b;
        EXPECT_REL(iv[0].se, static_cast<double>(std::sqrt(c / det)), 1e-6);
        EXPECT_REL(iv[1].se, static_cast<double>(std::sqrt(a / det)), 1e-6);
    }
}

// The normal law's exact intervals: Student's t for mu, chi-square for ro, with Boost's
// quantiles; typed values stand alone.
TEST(Intervals, ExactIntervalsOfTheNormalLaw)
{
    const TVector x = Drawn(TDistKind::Normal, {-3, 0.5}, 25, 5);
    const TVector est = Estimated(TDistKind::Normal, x);
    std::vector<TIntervalMethod> methods;
    const auto iv = ParamIntervals(TDistKind::Normal, x, est, AllParams(TDistKind::Normal), 0.9, &methods);
    const double t = bm::quantile(bm::students_t(24), 0.95);
    EXPECT_REL(iv[0].lower, est[0] - t * est[1] / 5, tol::Tol3);
    EXPECT_REL(iv[0].upper, est[0] + t * est[1] / 5, tol::Tol3);
    const double squares = 24 * est[1] * est[1];
    EXPECT_REL(iv[1].lower, std::sqrt(squares / bm::quantile(bm::chi_squared(24), 0.95)), tol::Tol3);
    EXPECT_REL(iv[1].upper, std::sqrt(squares / bm::quantile(bm::chi_squared(24), 0.05)), tol::Tol3);
    EXPECT_EQ(methods[0], TIntervalMethod::Exact);
    EXPECT_EQ(IntervalMethodName(methods[1]), "exact");
    TParamSet onlyRo;
    onlyRo.set(1);
    const auto typed = ParamIntervals(TDistKind::Normal, x, {-3, est[1]}, onlyRo, 0.95, &methods);
    EXPECT_EQ(methods[0], TIntervalMethod::Given);
    EXPECT_EQ(typed[0].lower, -3);
    EXPECT_EQ(typed[0].upper, -3);
    EXPECT_EQ(typed[0].se, 0);
}

// A profile interval's ends are where the deviance reaches chi-square's 95 % point, 3.8415:
// Weibull's shape, profiled here with the scale's maximum for a given shape in closed form,
// lambda = (sum x^k / n)^(1/k).
TEST(Intervals, ProfileEndsAreWhereTheDevianceReachesTheCutoff)
{
    const TVector x = Drawn(TDistKind::Weibull, {0.8, 5}, 60, 6);
    const TVector est = Estimated(TDistKind::Weibull, x);
    std::vector<TIntervalMethod> methods;
    const auto iv = ParamIntervals(TDistKind::Weibull, x, est, AllParams(TDistKind::Weibull), 0.95, &methods);
    EXPECT_EQ(IntervalMethodName(methods[0]), "profile likelihood");
    const double best = LogLikelihood(TDistKind::Weibull, x, est);
    const auto profile = [&](double k) {
        const double lambda = static_cast<double>(std::pow(Sum(x, k) / x.size(), 1 / L(k)));
        return LogLikelihood(TDistKind::Weibull, x, {k, lambda});
    };
    const double cutoff = bm::quantile(bm::chi_squared(1), 0.95);
    EXPECT_NEAR(2 * (best - profile(iv[0].lower)), cutoff, 1e-6);
    EXPECT_NEAR(2 * (best - profile(iv[0].upper)), cutoff, 1e-6);
    EXPECT_LT(iv[0].lower, est[0]);
    EXPECT_GT(iv[0].upper, est[0]);
    // The fitted 10 % quantile's profile: for a quantile t, lambda = t / (-ln 0.9)^(1/k), and
    // the likelihood maximised over k.
    const auto quantile = QuantileInterval(TDistKind::Weibull, x, est, AllParams(TDistKind::Weibull), 0.1);
    const auto at = [&](double t) {
        return Maximum([&](double k) {
            return LogLikelihood(TDistKind::Weibull, x, {k, t / std::pow(-std::log(0.9), 1 / k)});
        }, 0.05, 20);
    };
    EXPECT_NEAR(2 * (best - at(quantile.lower)), cutoff, 1e-5);
    EXPECT_NEAR(2 * (best - at(quantile.upper)), cutoff, 1e-5);
    EXPECT_REL(quantile.estimate, DistEval(TDistKind::Weibull, TDistFunc::Inverse, est, 0.1), tol::Tol0);
}

// Degrees of freedom: the whole numbers whose deviance stays within the cutoff.
TEST(Intervals, WholeDegreesOfFreedomHaveWholeIntervals)
{
    const TVector x = Drawn(TDistKind::Student, {6}, 400, 7);
    const TVector est = Estimated(TDistKind::Student, x);
    std::vector<TIntervalMethod> methods;
    const auto iv = ParamIntervals(TDistKind::Student, x, est, AllParams(TDistKind::Student), 0.95, &methods);
    EXPECT_EQ(methods[0], TIntervalMethod::ProfileWhole);
    EXPECT_EQ(iv[0].lower, std::trunc(iv[0].lower));
    EXPECT_EQ(iv[0].upper, std::trunc(iv[0].upper));
    const double best = LogLikelihood(TDistKind::Student, x, est);
    const auto deviance = [&](double n) { return 2 * (best - LogLikelihood(TDistKind::Student, x, {n})); };
    const double cutoff = bm::quantile(bm::chi_squared(1), 0.95);
    EXPECT_LE(deviance(iv[0].lower), cutoff);
    EXPECT_LE(deviance(iv[0].upper), cutoff);
    EXPECT_GT(deviance(iv[0].lower - 1), cutoff);
    EXPECT_GT(deviance(iv[0].upper + 1), cutoff);
}

// A bootstrap is seeded by the question: the same question gives the same interval; another
// buffer gives another one.
TEST(Intervals, BootstrapsAnswerTheSameQuestionTheSameWay)
{
    const TVector x = Drawn(TDistKind::Logistic, {1, 2}, 80, 8);
    const TVector est = Estimated(TDistKind::Logistic, x);
    std::vector<TIntervalMethod> methods;
    const auto first = ParamIntervals(TDistKind::Logistic, x, est, AllParams(TDistKind::Logistic), 0.95, &methods);
    const auto again = ParamIntervals(TDistKind::Logistic, x, est, AllParams(TDistKind::Logistic));
    EXPECT_EQ(IntervalMethodName(methods[1]), "bootstrap, 1000 replicates");
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(first[i].lower, again[i].lower);
        EXPECT_EQ(first[i].upper, again[i].upper);
        EXPECT_LT(first[i].lower, est[i]);
        EXPECT_GT(first[i].upper, est[i]);
    }
    TVector other = x;
    other[0] = std::nextafter(other[0], 1e300);
    EXPECT_NE(QuestionDigest(x, TDistKind::Logistic, est, AllParams(TDistKind::Logistic), 1),
              QuestionDigest(other, TDistKind::Logistic, est, AllParams(TDistKind::Logistic), 1));
    // At the likelihood's maximum, the logistic's intervals are the profile's.
    TVector best = est;
    std::string refusal;
    ASSERT_TRUE(MaximiseLikelihood(TDistKind::Logistic, x, best, AllParams(TDistKind::Logistic), refusal));
    ParamIntervals(TDistKind::Logistic, x, best, AllParams(TDistKind::Logistic), 0.95, &methods);
    EXPECT_EQ(methods[0], TIntervalMethod::Profile);
}

// The uniform's ends: exact one-sided intervals from the data's extremes outward, whose level
// is that of the pivot (P(V > v) = (1 + v)^-(n - 1)).
TEST(Intervals, TheUniformsEndsReachOutwardFromTheExtremes)
{
    const TVector x = Drawn(TDistKind::Uniform, {2, 7}, 20, 9);
    const TVector est = Estimated(TDistKind::Uniform, x);
    const auto iv = ParamIntervals(TDistKind::Uniform, x, est, AllParams(TDistKind::Uniform), 0.9);
    const double reach = (std::pow(0.1, -1.0 / 19) - 1) * (est[1] - est[0]);
    EXPECT_REL(iv[0].lower, est[0] - reach, tol::Tol2);
    EXPECT_EQ(iv[0].upper, est[0]);
    EXPECT_EQ(iv[1].lower, est[1]);
    EXPECT_REL(iv[1].upper, est[1] + reach, tol::Tol2);
    EXPECT_GT(iv[0].se, 0);
}

TEST(Intervals, RefusalsSayWhy)
{
    const auto message = [](auto call) -> std::string {
        try {
            call();
        } catch (const EStat& e) {
            return e.what();
        }
        return "no error";
    };
    EXPECT_EQ(message([] { ParamIntervals(TDistKind::Normal, {1, 2}, {1, 1}, AllParams(TDistKind::Normal)); }),
              "Intervals need at least 3 numbers.");
    EXPECT_EQ(message([] { ParamIntervals(TDistKind::Normal, {1, 2, 4}, {1, 1}, AllParams(TDistKind::Normal), 1.5); }),
              "The level of an interval lies between 0 and 1.");
    EXPECT_EQ(message([] { QuantileInterval(TDistKind::Normal, {1, 2, 4}, {1, 1}, AllParams(TDistKind::Normal), 1); }),
              "The probability of a quantile lies between 0 and 1.");
}
