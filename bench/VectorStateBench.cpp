// Legacy-SSE code (glibc's expm1 and erfc, and our own double arithmetic) in a process with a
// QApplication, as started and after a vzeroupper: a dirty upper half of the vector registers
// left behind by start-up would make the first figures far slower than the second on
// processors with an AVX-SSE transition penalty. The benchmarks run in the order listed.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "OffscreenMain.h"
#include "Stat_Lib.h"

namespace {
template <class F>
void Run(benchmark::State& state, F f)
{
    double x = 0.5, sum = 0;
    for (auto _ : state) {
        sum += f(x);
        x += 1e-9;
        benchmark::DoNotOptimize(sum);
    }
}

void BM_Expm1(benchmark::State& state) { Run(state, [](double x) { return std::expm1(x); }); }
void BM_Erfc(benchmark::State& state) { Run(state, [](double x) { return std::erfc(x); }); }
void BM_ExponentialCdf(benchmark::State& state)
{
    const TVector params{1.5};
    Run(state, [&](double x) { return ExponentialDistribution(params, x); });
}

void BM_Vzeroupper(benchmark::State& state)
{
    for (auto _ : state)
        asm volatile("vzeroupper");
}

const int Registered = [] {
    for (const char* when : {"AsStarted", "AfterVzeroupper"}) {
        const std::string w = when;
        if (w == "AfterVzeroupper")
            benchmark::RegisterBenchmark("Vzeroupper", BM_Vzeroupper)->Iterations(1);
        benchmark::RegisterBenchmark(("Expm1/" + w).c_str(), BM_Expm1);
        benchmark::RegisterBenchmark(("Erfc/" + w).c_str(), BM_Erfc);
        benchmark::RegisterBenchmark(("ExponentialCdf/" + w).c_str(), BM_ExponentialCdf);
    }
    return 0;
}();
}  // namespace

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
