// The kinds the trials draw from: samples by <random> (independent of Velmora's own
// generators) of every kind with parameters, some at several parameters.
#pragma once

#include <cmath>
#include <functional>
#include <random>
#include <vector>

#include "Stat_Lib.h"

namespace trial {
using Draw = std::function<double(std::mt19937_64&)>;

struct Kind {
    const char* name;
    TDistKind kind;
    TVector params;
    Draw draw;
};

template <class Dist>
inline Draw From(Dist d)
{
    return [d](std::mt19937_64& g) mutable { return d(g); };
}

inline double Uniform01(std::mt19937_64& g)
{
    return std::uniform_real_distribution<double>(0, 1)(g);
}

inline double Exponential1(std::mt19937_64& g)
{
    return std::exponential_distribution<double>(1)(g);
}

inline Draw BetaDraw(double a, double b)
{
    return [a, b](std::mt19937_64& g) {
        const double x = std::gamma_distribution<double>(a)(g), y = std::gamma_distribution<double>(b)(g);
        return x / (x + y);
    };
}

// The extreme value law from its exponential variable t = (1 + xi z)^(-1/xi).
inline Draw ExtrValueDraw(double mu, double sigma, double xi)
{
    return [=](std::mt19937_64& g) {
        const double t = Exponential1(g);
        return mu + sigma * (xi == 0 ? -std::log(t) : std::expm1(-xi * std::log(t)) / xi);
    };
}

// The inverse Gaussian law by J. R. Michael, W. R. Schucany and R. W. Haas (Am. Stat. 30, 1976):
// the smaller root of the chi-square transformation, or mu^2 / that root.
inline Draw InvGaussDraw(double mu, double lambda)
{
    return [=](std::mt19937_64& g) {
        const double y = std::pow(std::normal_distribution<double>(0, 1)(g), 2);
        const double x = mu + mu * mu * y / (2 * lambda) -
                         mu / (2 * lambda) * std::sqrt(4 * mu * lambda * y + mu * mu * y * y);
        return Uniform01(g) <= mu / (mu + x) ? x : mu * mu / x;
    };
}

// A law shifted to start at x0.
inline Draw Shifted(Draw base, double x0)
{
    return [=](std::mt19937_64& g) mutable { return x0 + base(g); };
}

inline std::vector<Kind> Kinds()
{
    return {
        {"Uniform(-2, 5)", TDistKind::Uniform, {-2, 5}, From(std::uniform_real_distribution<double>(-2, 5))},
        {"Normal(10, 2)", TDistKind::Normal, {10, 2}, From(std::normal_distribution<double>(10, 2))},
        {"Chi2(3)", TDistKind::Chi2, {3}, From(std::chi_squared_distribution<double>(3))},
        {"Chi2(40)", TDistKind::Chi2, {40}, From(std::chi_squared_distribution<double>(40))},
        {"Chi2(200)", TDistKind::Chi2, {200}, From(std::chi_squared_distribution<double>(200))},
        {"Student(3)", TDistKind::Student, {3}, From(std::student_t_distribution<double>(3))},
        {"Student(30)", TDistKind::Student, {30}, From(std::student_t_distribution<double>(30))},
        {"LogNormal(2, 1)", TDistKind::LogNormal, {2, 1}, From(std::lognormal_distribution<double>(2, 1))},
        {"Exponential(2)", TDistKind::Exponential, {2}, From(std::exponential_distribution<double>(2))},
        {"F(6, 20)", TDistKind::F, {6, 20}, From(std::fisher_f_distribution<double>(6, 20))},
        {"F(12, 12)", TDistKind::F, {12, 12}, From(std::fisher_f_distribution<double>(12, 12))},
        {"Cauchy(3, 2)", TDistKind::Cauchy, {3, 2}, From(std::cauchy_distribution<double>(3, 2))},
        {"Logistic(0, 1)", TDistKind::Logistic, {0, 1},
         [](std::mt19937_64& g) { const double u = Uniform01(g); return std::log(u / (1 - u)); }},
        {"Beta(2, 5)", TDistKind::Beta, {2, 5}, BetaDraw(2, 5)},
        {"Beta(0.5, 0.5)", TDistKind::Beta, {0.5, 0.5}, BetaDraw(0.5, 0.5)},
        {"Rayleigh(1)", TDistKind::Rayleigh, {1},
         [](std::mt19937_64& g) { return std::sqrt(2 * Exponential1(g)); }},
        {"Weibull(1.5, 3)", TDistKind::Weibull, {1.5, 3}, From(std::weibull_distribution<double>(1.5, 3))},
        {"Pareto(1, 3)", TDistKind::Pareto, {1, 3},
         [](std::mt19937_64& g) { return std::exp(Exponential1(g) / 3); }},
        {"ExtrValue(0, 1, 0)", TDistKind::ExtrValue, {0, 1, 0}, ExtrValueDraw(0, 1, 0)},
        {"ExtrValue(5, 2, 0.2)", TDistKind::ExtrValue, {5, 2, 0.2}, ExtrValueDraw(5, 2, 0.2)},
        {"ExtrValue(0, 1, -0.3)", TDistKind::ExtrValue, {0, 1, -0.3}, ExtrValueDraw(0, 1, -0.3)},
        {"Gamma(2.5, 1.5)", TDistKind::Gamma, {2.5, 1.5}, From(std::gamma_distribution<double>(2.5, 1.5))},
        {"Weibull3(2.5, 2, 10)", TDistKind::Weibull3, {2.5, 2, 10},
         Shifted(From(std::weibull_distribution<double>(2.5, 2)), 10)},
        {"LogNormal3(0, 0.5, 5)", TDistKind::LogNormal3, {0, 0.5, 5},
         Shifted(From(std::lognormal_distribution<double>(0, 0.5)), 5)},
        {"Gamma3(2.5, 1.5, 10)", TDistKind::Gamma3, {2.5, 1.5, 10},
         Shifted(From(std::gamma_distribution<double>(2.5, 1.5)), 10)},
        {"Exponential2(1, 5)", TDistKind::Exponential2, {1, 5}, Shifted(Exponential1, 5)},
        {"LogLogistic(2, 3)", TDistKind::LogLogistic, {2, 3},
         [](std::mt19937_64& g) { const double u = Uniform01(g); return 2 * std::pow(u / (1 - u), 1.0 / 3); }},
        {"GenPareto(0, 1, 0.2)", TDistKind::GenPareto, {0, 1, 0.2},
         [](std::mt19937_64& g) { return std::expm1(0.2 * Exponential1(g)) / 0.2; }},
        {"InvGauss(1, 2)", TDistKind::InvGauss, {1, 2}, InvGaussDraw(1, 2)},
        {"Laplace(0, 1)", TDistKind::Laplace, {0, 1},
         [](std::mt19937_64& g) { return Exponential1(g) - Exponential1(g); }},
        {"GumbelMin(0, 1)", TDistKind::GumbelMin, {0, 1},
         [](std::mt19937_64& g) { return std::log(Exponential1(g)); }},
    };
}
}  // namespace trial
