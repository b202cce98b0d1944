// The goodness-of-fit test with 150 categories on a million numbers (sort included), and the
// histogram redrawn in the real window on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChartView>
#include <QRadioButton>

#include "BulkGeneration.h"
#include "SimpleRandomLib.h"
#include "OffscreenMain.h"
#include "Unit1.h"

namespace {
const TVector& Sample()
{
    static const TVector sample = [] {
        SeedRandom(7);
        TBulkGeneration g(TGenMethod::Inverse, TDistKind::Normal, {1, 2}, 1000000);
        g.Run();
        return g.Result();
    }();
    return sample;
}

void BM_FitTest150(benchmark::State& state)
{
    const TVector& data = Sample();
    for (auto _ : state)
        benchmark::DoNotOptimize(ChiSquareFitTest(data, TDistKind::Normal, {1, 2}, 2, 150).df);
}

void BM_HistogramRedraw150(benchmark::State& state)
{
    TForm1 form;
    form.show();
    form.DataBuffer = Sample();
    form.LastFit = ChiSquareFitTest(form.DataBuffer, TDistKind::Normal, {1, 2}, 2, 150);
    bool cumulative = false;
    for (auto _ : state) {
        (cumulative ? form.RadioButton4 : form.RadioButton3)->setChecked(true);
        cumulative = !cumulative;
        form.RadioButton3Click();
        QApplication::processEvents();
        form.Chart2->viewport()->repaint();  // the paint itself, not only its request
    }
}

BENCHMARK(BM_FitTest150)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_HistogramRedraw150)->Unit(benchmark::kMillisecond)->Iterations(20);
}  // namespace

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
