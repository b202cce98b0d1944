// Single library calls: warm calls on a grid already grown, the floating-point scope alone,
// a new parameter set each call, and cold calls from an empty grid cache (the cost a first
// call pays): calculator actions with long walks, degrees of freedom beyond the listed 1022,
// and inputs whose outcome is an error.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "FloatErrors.h"
#include "GridCache.h"
#include "Stat_Lib.h"

namespace {
void BM_Warm(benchmark::State& state, TDistKind kind, TDistFunc mode, TVector params, double x)
{
    simpson::ClearGridCache();
    DistEval(kind, mode, params, x);  // grows the grid
    for (auto _ : state)
        benchmark::DoNotOptimize(DistEval(kind, mode, params, x));
}

// The scope that every evaluation opens, around nothing.
void BM_FloatScope(benchmark::State& state)
{
    double v = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(v);
        benchmark::DoNotOptimize(FloatChecked([&] { return v * 3; }));
    }
}

// The libm formulas the warm calls are measured against: erfc for the normal distribution,
// exp for the exponential, at the same points.
void BM_Libm(benchmark::State& state, double (*f)(double), double x)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(f(x));
    }
}

// Normal at a new (mu, ro) every call, on the standard normal grid grown once.
void BM_NormalNewParameters(benchmark::State& state)
{
    simpson::ClearGridCache();
    DistEval(TDistKind::Normal, TDistFunc::Distribution, {0, 1}, 1.3);
    double mu = 0;
    for (auto _ : state) {
        mu += 0x1p-20;
        benchmark::DoNotOptimize(
            DistEval(TDistKind::Normal, TDistFunc::Distribution, {mu, 2}, mu + 2.6));
    }
}

// Cold calls, from an empty grid cache; an error outcome counts as the call's end.
void BM_Cold(benchmark::State& state, TDistKind kind, TDistFunc mode, TVector params, double x)
{
    for (auto _ : state) {
        state.PauseTiming();
        simpson::ClearGridCache();
        state.ResumeTiming();
        try {
            benchmark::DoNotOptimize(DistEval(kind, mode, params, x));
        } catch (const EMathError&) {
        }
    }
}

const int Registered = [] {
    using K = TDistKind;
    using F = TDistFunc;
    struct Call {
        const char* name;
        K kind;
        F mode;
        TVector params;
        double x;
    };
    const Call warm[] = {
        {"NormalCdf", K::Normal, F::Distribution, {0, 1}, 1.3},
        {"NormalStdQuantile", K::NormalStd, F::Inverse, {}, 0.975},
        {"Chi2_7Cdf", K::Chi2, F::Distribution, {7}, 5},
        {"Beta_2_3Cdf", K::Beta, F::Distribution, {2, 3}, 0.4},
        {"LogNormalCdf", K::LogNormal, F::Distribution, {0, 1}, 2},
        {"StudentQuantile", K::Student, F::Inverse, {5}, 0.9},
        {"WeibullCdf", K::Weibull, F::Distribution, {2, 1.5}, 1.2},
        {"ExponentialCdf", K::Exponential, F::Distribution, {1.5}, 0.7},
    };
    for (const Call& w : warm)
        benchmark::RegisterBenchmark((std::string("Warm/") + w.name).c_str(), BM_Warm, w.kind,
                                     w.mode, w.params, w.x);
    benchmark::RegisterBenchmark("Libm/erfc", BM_Libm, [](double v) { return std::erfc(v); },
                                 -1.3 / std::sqrt(2.0));
    benchmark::RegisterBenchmark("Libm/exp", BM_Libm, [](double v) { return std::exp(v); }, -1.5 * 0.7);
    benchmark::RegisterBenchmark("FloatScope", BM_FloatScope);
    benchmark::RegisterBenchmark("NormalNewParameters", BM_NormalNewParameters);
    benchmark::RegisterBenchmark("ColdError/Chi2_1E9Cdf_2", BM_Cold, K::Chi2,
                                 F::Distribution, TVector{1e9}, 2)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ColdError/Student_1E9Cdf_2", BM_Cold, K::Student,
                                 F::Distribution, TVector{1e9}, 2)
        ->Unit(benchmark::kMillisecond);
    const Call cold[] = {
        {"Chi2_1000/Quantile_0.95", K::Chi2, F::Inverse, {1000}, 0.95},
        {"Chi2_2000/Cdf_2000", K::Chi2, F::Distribution, {2000}, 2000},
        {"Student_5000/Quantile_0.99", K::Student, F::Inverse, {5000}, 0.99},
        {"Chi2_1022/Quantile_0.5", K::Chi2, F::Inverse, {1022}, 0.5},
        {"Chi2_100/Quantile_0.95", K::Chi2, F::Inverse, {100}, 0.95},
        {"LogNormal_5_1/Quantile_0.99", K::LogNormal, F::Inverse, {5, 1}, 0.99},
        {"LogNormal_0_2000/Quantile_0.1", K::LogNormal, F::Inverse, {0, 2000}, 0.1},
        {"LogNormal_12_10/Quantile_0.3", K::LogNormal, F::Inverse, {12, 10}, 0.3},
        {"LogNormal_3_3/Quantile_0.9", K::LogNormal, F::Inverse, {3, 3}, 0.9},
        {"F_1022_2/Cdf_2000", K::F, F::Distribution, {1022, 2}, 2000},
        {"F_1022_2/Cdf_5000", K::F, F::Distribution, {1022, 2}, 5000},
        {"Student_2/Cdf_-3E7", K::Student, F::Distribution, {2}, -3e7},
        {"Cauchy_1E6_1E-6/Quantile_1-1E-9", K::Cauchy, F::Inverse, {1e6, 1e-6}, 1 - 1e-9},
        {"Cauchy_1E10_3/Quantile_0.999", K::Cauchy, F::Inverse, {1e10, 3}, 0.999},
    };
    for (const Call& c : cold)
        benchmark::RegisterBenchmark((std::string("Cold/") + c.name).c_str(), BM_Cold, c.kind,
                                     c.mode, c.params, c.x)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
    return 0;
}();
}  // namespace

BENCHMARK_MAIN();
