// The fitting test tried as a user would: for each kind that can be estimated, 100 samples of
// 5000 numbers drawn by <random> (independent of Velmora's own generators), tested with 20
// categories, once with every parameter on "Auto" and once with the true parameters typed.
// A test at the 5 % level rejects a true hypothesis about 5 times in 100.
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

#include "Stat_Lib.h"

namespace {
using Draw = std::function<double(std::mt19937_64&)>;

struct Kind {
    const char* name;
    TDistKind kind;
    TVector params;
    Draw draw;
};

template <class Dist>
Draw From(Dist d)
{
    return [d](std::mt19937_64& g) mutable { return d(g); };
}

double Uniform01(std::mt19937_64& g)
{
    return std::uniform_real_distribution<double>(0, 1)(g);
}

// Whether the test rejects the sample at the 5 % level; -1 where the estimation fails or the
// test cannot run (fewer than 1 degree of freedom, a floating-point fault).
int Rejects(const Kind& k, const TVector& sample, bool estimate)
{
    const int n = ParamCount(k.kind);
    TVector params = k.params;
    TParamSet all;
    for (int i = 0; i < n && estimate; ++i)
        all.set(i);
    try {
        if (estimate && !EstimateParams(k.kind, sample, params, all))
            return -1;
        const TFitResult r = ChiSquareFitTest(sample, k.kind, params, estimate ? n : 0, 20);
        return r.fatal ? -1 : r.rejected;
    } catch (const std::exception&) {
        return -1;
    }
}
}  // namespace

int main()
{
    const Kind kinds[] = {
        {"Normal(10, 2)", TDistKind::Normal, {10, 2}, From(std::normal_distribution<double>(10, 2))},
        {"Uniform(1, 3)", TDistKind::Uniform, {1, 3}, From(std::uniform_real_distribution<double>(1, 3))},
        {"LogNormal(0, 0.5)", TDistKind::LogNormal, {0, 0.5}, From(std::lognormal_distribution<double>(0, 0.5))},
        {"LogNormal(2, 1)", TDistKind::LogNormal, {2, 1}, From(std::lognormal_distribution<double>(2, 1))},
        {"LogNormal(-5, 0.3)", TDistKind::LogNormal, {-5, 0.3}, From(std::lognormal_distribution<double>(-5, 0.3))},
        {"Chi2(5)", TDistKind::Chi2, {5}, From(std::chi_squared_distribution<double>(5))},
        {"Chi2(40)", TDistKind::Chi2, {40}, From(std::chi_squared_distribution<double>(40))},
        {"Student(8)", TDistKind::Student, {8}, From(std::student_t_distribution<double>(8))},
        {"F(6, 20)", TDistKind::F, {6, 20}, From(std::fisher_f_distribution<double>(6, 20))},
        {"Logistic(0, 1)", TDistKind::Logistic, {0, 1},
         [](std::mt19937_64& g) { const double u = Uniform01(g); return std::log(u / (1 - u)); }},
        {"Rayleigh(1)", TDistKind::Rayleigh, {1},
         [](std::mt19937_64& g) { return std::sqrt(-2 * std::log(1 - Uniform01(g))); }},
        {"Exponential(2)", TDistKind::Exponential, {2}, From(std::exponential_distribution<double>(2))},
    };
    constexpr int Samples = 100, Count = 5000;
    std::printf("| kind | rejected of %d, all on Auto | rejected of %d, true parameters typed |\n",
                Samples, Samples);
    std::printf("|---|---|---|\n");
    for (const Kind& k : kinds) {
        std::mt19937_64 g(20261208);
        int rejected[2] = {0, 0}, failed[2] = {0, 0};
        for (int s = 0; s < Samples; ++s) {
            TVector sample(Count);
            for (double& x : sample)
                x = k.draw(g);
            for (int typed = 0; typed < 2; ++typed) {
                const int r = Rejects(k, sample, typed == 0);
                (r < 0 ? failed : rejected)[typed] += r < 0 ? 1 : r;
            }
        }
        auto cell = [&](int i) {
            return std::to_string(rejected[i]) +
                   (failed[i] ? " (" + std::to_string(failed[i]) + " could not run)" : "");
        };
        std::printf("| %s | %s | %s |\n", k.name, cell(0).c_str(), cell(1).c_str());
        std::fflush(stdout);
    }
    return 0;
}
