// Calculator actions from an empty grid cache (the cold cost a first call pays): the long
// walks of large degrees of freedom and far quantiles, the F and Student far tails, and the
// narrow Cauchy near p = 1.
#include <benchmark/benchmark.h>

#include <string>

#include "SimpsonWalk.h"

namespace {
void BM_Cold(benchmark::State& state, TDistKind kind, TDistFunc mode, TVector params, double x)
{
    for (auto _ : state) {
        state.PauseTiming();
        simpson::ClearGridCache();
        state.ResumeTiming();
        benchmark::DoNotOptimize(DistEval(kind, mode, params, x));
    }
}

const int Registered = [] {
    using K = TDistKind;
    using F = TDistFunc;
    struct Row {
        const char* name;
        K kind;
        F mode;
        TVector params;
        double x;
    };
    const Row rows[] = {
        {"Chi2_1000/Quantile_0.95", K::Chi2, F::Inverse, {1000}, 0.95},
        {"Chi2_1022/Quantile_0.5", K::Chi2, F::Inverse, {1022}, 0.5},
        {"Chi2_100/Quantile_0.95", K::Chi2, F::Inverse, {100}, 0.95},
        {"LogNormal_5_1/Quantile_0.99", K::LogNormal, F::Inverse, {5, 1}, 0.99},
        {"F_1022_2/Cdf_2000", K::F, F::Distribution, {1022, 2}, 2000},
        {"F_1022_2/Cdf_5000", K::F, F::Distribution, {1022, 2}, 5000},
        {"Student_2/Cdf_-3E7", K::Student, F::Distribution, {2}, -3e7},
        {"Cauchy_1E6_1E-6/Quantile_1-1E-9", K::Cauchy, F::Inverse, {1e6, 1e-6}, 1 - 1e-9},
        {"Cauchy_1E10_3/Quantile_0.999", K::Cauchy, F::Inverse, {1e10, 3}, 0.999},
    };
    for (const Row& r : rows)
        benchmark::RegisterBenchmark((std::string("Cold/") + r.name).c_str(), BM_Cold, r.kind,
                                     r.mode, r.params, r.x)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
    return 0;
}();
}  // namespace

BENCHMARK_MAIN();
