// Each case runs twice: "plain" walks every value from its start point (cache off), "cached"
// resumes from the grid cache. The cache is emptied before each cached run, so its figure
// includes building the grid once (the cold cost).
#include <benchmark/benchmark.h>

#include <vector>

#include "SimpleRandomLib.h"
#include "GridCache.h"
#include "Stat_Lib.h"
#include "Integrand.h"

namespace {
struct Kind {
    const char* name;
    TDistKind kind;
    TVector params;
    double lo, hi;  // the chart's plot range
};

const std::vector<Kind>& Kinds()
{
    static const std::vector<Kind> kinds = {
        {"NormalStd", TDistKind::NormalStd, {}, -5, 5},
        {"Normal", TDistKind::Normal, {1, 2}, -9, 11},
        {"LogNormal", TDistKind::LogNormal, {0, 1}, 0, 3},
        {"Chi2_10", TDistKind::Chi2, {10}, 0, 21},
        {"Chi2_1000", TDistKind::Chi2, {1000}, 0, 1506},
        {"Student", TDistKind::Student, {5}, -5, 5},
        {"F", TDistKind::F, {5, 8}, 0, 10},
        {"Cauchy", TDistKind::Cauchy, {0, 1}, -2, 2},
        {"Beta", TDistKind::Beta, {2, 3}, 0, 1},
    };
    return kinds;
}

void Prepare(bool cached)
{
    simpson::SetGridCacheEnabled(cached);
    simpson::ClearGridCache();
}

// The chart: 128 samples over the plot range and the value at X.
void BM_Chart(benchmark::State& state, const Kind& k, bool cached)
{
    for (auto _ : state) {
        state.PauseTiming();
        Prepare(cached);
        state.ResumeTiming();
        const double step = (k.hi - k.lo) / 128;
        for (double x = k.lo; x < k.hi; x += step)
            benchmark::DoNotOptimize(DistEval(k.kind, TDistFunc::Distribution, k.params, x));
        benchmark::DoNotOptimize(DistEval(k.kind, TDistFunc::Distribution, k.params, k.hi / 2));
    }
}

// The chart drawn again (a redraw, or a view switch): the grid is already there.
void BM_ChartWarm(benchmark::State& state, const Kind& k)
{
    Prepare(true);
    const double step = (k.hi - k.lo) / 128;
    for (double x = k.lo; x < k.hi; x += step)
        DistEval(k.kind, TDistFunc::Distribution, k.params, x);
    for (auto _ : state) {
        for (double x = k.lo; x < k.hi; x += step)
            benchmark::DoNotOptimize(DistEval(k.kind, TDistFunc::Distribution, k.params, x));
        benchmark::DoNotOptimize(DistEval(k.kind, TDistFunc::Distribution, k.params, k.hi / 2));
    }
}

// The goodness-of-fit test: 150 distribution values at ascending category bounds.
void BM_Bounds150(benchmark::State& state, const Kind& k, bool cached)
{
    for (auto _ : state) {
        state.PauseTiming();
        Prepare(cached);
        state.ResumeTiming();
        for (int j = 1; j <= 150; ++j)
            benchmark::DoNotOptimize(
                DistEval(k.kind, TDistFunc::Distribution, k.params, k.lo + (k.hi - k.lo) * j / 150));
    }
}

// Generation: quantiles of uniform random probabilities (32000 cached; the plain walk is
// timed per quantile on fewer).
void BM_Quantiles(benchmark::State& state, const Kind& k, bool cached)
{
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        Prepare(cached);
        SeedRandom(1);
        state.ResumeTiming();
        for (int i = 0; i < count; ++i)
            benchmark::DoNotOptimize(DistEval(k.kind, TDistFunc::Inverse, k.params, RandomUniform()));
    }
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_Single(benchmark::State& state, TDistKind kind, TVector params, double x, bool cached)
{
    for (auto _ : state) {
        state.PauseTiming();
        Prepare(cached);
        state.ResumeTiming();
        benchmark::DoNotOptimize(DistEval(kind, TDistFunc::Distribution, params, x));
    }
}

void BM_SingleWarm(benchmark::State& state, TDistKind kind, TVector params, double x)
{
    Prepare(true);
    DistEval(kind, TDistFunc::Distribution, params, x);  // builds the grid
    for (auto _ : state)
        benchmark::DoNotOptimize(DistEval(kind, TDistFunc::Distribution, params, x));
}

const int Registered = [] {
    for (const Kind& k : Kinds()) {
        for (bool cached : {false, true}) {
            const std::string mode = cached ? "/cached" : "/plain";
            benchmark::RegisterBenchmark(("Chart129/" + std::string(k.name) + mode).c_str(),
                                         BM_Chart, k, cached)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("Bounds150/" + std::string(k.name) + mode).c_str(),
                                         BM_Bounds150, k, cached)
                ->Unit(benchmark::kMillisecond);
            const bool slowPlain = !cached && std::string(k.name) == "Chi2_1000";
            benchmark::RegisterBenchmark(("Quantiles/" + std::string(k.name) + mode).c_str(),
                                         BM_Quantiles, k, cached)
                ->Arg(cached ? 32000 : (slowPlain ? 10 : 300))
                ->Unit(benchmark::kMillisecond);
        }
    }
    for (const Kind& k : Kinds())
        benchmark::RegisterBenchmark(("Chart129/" + std::string(k.name) + "/warm").c_str(),
                                     BM_ChartWarm, k)
            ->Unit(benchmark::kMillisecond);
    for (bool cached : {false, true}) {
        const std::string mode = cached ? "/cached" : "/plain";
        benchmark::RegisterBenchmark(("Chi2Distribution_1E6" + mode).c_str(), BM_Single,
                                     TDistKind::Chi2, TVector{10}, 1e6, cached)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("CauchyDistribution_1E9" + mode).c_str(), BM_Single,
                                     TDistKind::Cauchy, TVector{0, 1}, 1e9, cached)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("Chi2Distribution_1E6/warm", BM_SingleWarm, TDistKind::Chi2,
                                 TVector{10}, 1e6)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("CauchyDistribution_1E9/warm", BM_SingleWarm, TDistKind::Cauchy,
                                 TVector{0, 1}, 1e9)
        ->Unit(benchmark::kMillisecond);
    return 0;
}();
}  // namespace

BENCHMARK_MAIN();
