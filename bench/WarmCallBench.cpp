// Single library calls: warm calls on a grid already grown, the floating-point scope alone,
// a new parameter set each call, and inputs whose outcome is an error reached at once.
#include <benchmark/benchmark.h>

#include <string>

#include "SimpsonWalk.h"

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

// Cold calls whose outcome is an error: the time to report it.
void BM_ColdError(benchmark::State& state, TDistKind kind, TDistFunc mode, TVector params, double x)
{
    for (auto _ : state) {
        state.PauseTiming();
        simpson::ClearGridCache();
        state.ResumeTiming();
        try {
            DistEval(kind, mode, params, x);
        } catch (const EMathError&) {
        }
    }
}

const int Registered = [] {
    using K = TDistKind;
    using F = TDistFunc;
    struct Warm {
        const char* name;
        K kind;
        F mode;
        TVector params;
        double x;
    };
    const Warm warm[] = {
        {"NormalCdf", K::Normal, F::Distribution, {0, 1}, 1.3},
        {"NormalStdQuantile", K::NormalStd, F::Inverse, {}, 0.975},
        {"Chi2_7Cdf", K::Chi2, F::Distribution, {7}, 5},
        {"Beta_2_3Cdf", K::Beta, F::Distribution, {2, 3}, 0.4},
        {"LogNormalCdf", K::LogNormal, F::Distribution, {0, 1}, 2},
        {"StudentQuantile", K::Student, F::Inverse, {5}, 0.9},
        {"WeibullCdf", K::Weibull, F::Distribution, {2, 1.5}, 1.2},
        {"ExponentialCdf", K::Exponential, F::Distribution, {1.5}, 0.7},
    };
    for (const Warm& w : warm)
        benchmark::RegisterBenchmark((std::string("Warm/") + w.name).c_str(), BM_Warm, w.kind,
                                     w.mode, w.params, w.x);
    benchmark::RegisterBenchmark("FloatScope", BM_FloatScope);
    benchmark::RegisterBenchmark("NormalNewParameters", BM_NormalNewParameters);
    benchmark::RegisterBenchmark("ColdError/Chi2_2000Cdf_2000", BM_ColdError, K::Chi2,
                                 F::Distribution, TVector{2000}, 2000)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ColdError/Chi2_1E9Cdf_2", BM_ColdError, K::Chi2,
                                 F::Distribution, TVector{1e9}, 2)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ColdError/Student_1E9Cdf_2", BM_ColdError, K::Student,
                                 F::Distribution, TVector{1e9}, 2)
        ->Unit(benchmark::kMillisecond);
    return 0;
}();
}  // namespace

BENCHMARK_MAIN();
