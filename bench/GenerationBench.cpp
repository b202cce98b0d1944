// Generation by the dialog's bulk path, from an empty grid cache (the cold cost): 32000
// numbers by the inverse method for each kind, a million standard normal numbers, and the
// chi-square transformation.
#include <benchmark/benchmark.h>

#include "BulkGeneration.h"
#include "SimpleRandomLib.h"
#include "SimpsonWalk.h"

namespace {
struct Kind {
    const char* name;
    TDistKind kind;
    TVector params;
};

const Kind Kinds[] = {
    {"UniformStd", TDistKind::UniformStd, {}},   {"Uniform", TDistKind::Uniform, {1, 3}},
    {"NormalStd", TDistKind::NormalStd, {}},     {"Normal", TDistKind::Normal, {1, 2}},
    {"Chi2_10", TDistKind::Chi2, {10}},          {"Student_5", TDistKind::Student, {5}},
    {"LogNormal", TDistKind::LogNormal, {0, 1}}, {"Exponential", TDistKind::Exponential, {2}},
    {"F_5_8", TDistKind::F, {5, 8}},             {"Cauchy", TDistKind::Cauchy, {0, 1}},
    {"Logistic", TDistKind::Logistic, {0, 1}},   {"Beta", TDistKind::Beta, {2, 3}},
    {"Rayleigh", TDistKind::Rayleigh, {1}},      {"Weibull", TDistKind::Weibull, {1.5, 2}},
    {"Pareto", TDistKind::Pareto, {1, 3}},       {"ExtrValue", TDistKind::ExtrValue, {0, 1, 0.1}},
};

void BM_Generate(benchmark::State& state, TGenMethod method, TDistKind kind, TVector params)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        simpson::ClearGridCache();
        SeedRandom(1);
        state.ResumeTiming();
        TBulkGeneration generation(method, kind, params, count);
        generation.Run();
        benchmark::DoNotOptimize(generation.Result().data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * count));
}

const bool Registered = [] {
    for (const Kind& k : Kinds)
        benchmark::RegisterBenchmark((std::string("Inverse32000/") + k.name).c_str(), BM_Generate,
                                     TGenMethod::Inverse, k.kind, k.params)
            ->Arg(32000)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
    benchmark::RegisterBenchmark("Inverse/NormalStd", BM_Generate, TGenMethod::Inverse,
                                 TDistKind::NormalStd, TVector{})
        ->Arg(1000000)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(2);
    benchmark::RegisterBenchmark("Transformation/Chi2_10", BM_Generate, TGenMethod::Transformation,
                                 TDistKind::Chi2, TVector{10})
        ->Arg(32000)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    return true;
}();
}  // namespace

BENCHMARK_MAIN();
