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
    };
}
}  // namespace trial
