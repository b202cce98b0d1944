// Data files: reading ten million numbers (about 180 MB of CSV) whole, and describing a
// million of them as the Data tab does on every change of the buffer.
#include <benchmark/benchmark.h>

#include <random>

#include "DataFile.h"
#include "Fit_Lib.h"

namespace {
TVector Normals(std::size_t n)
{
    std::mt19937_64 g(1);
    std::normal_distribution<double> normal(10, 2);
    TVector values(n);
    for (double& v : values)
        v = normal(g);
    return values;
}

void ReadTenMillion(benchmark::State& state)
{
    static const std::string text = DataColumnText(Normals(10000000), true);
    for (auto _ : state) {
        TDataFileReader reader(text, '.');
        while (!reader.Step()) {
        }
        benchmark::DoNotOptimize(reader.Columns().front().values.data());
    }
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(ReadTenMillion)->Unit(benchmark::kMillisecond)->Iterations(2);

void DescribeMillion(benchmark::State& state)
{
    const TVector values = Normals(1000000);
    for (auto _ : state)
        benchmark::DoNotOptimize(Describe(values));
}
BENCHMARK(DescribeMillion)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
