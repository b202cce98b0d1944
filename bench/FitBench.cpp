// The goodness-of-fit test with 150 categories on a million numbers (sort included), and the
// histogram redrawn in the real window on the offscreen platform; the Anderson-Darling and
// Kolmogorov-Smirnov tests of a million numbers, typed and with the bootstrap, the points of
// the Q-Q view, and the Q-Q and P-P views drawn; "Execute" on a million numbers, and "Rank
// all" on 100, 1000 and 10,000.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <thread>

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

// Typed (the sample's probabilities on every core and the exact laws) or estimated (and 1000
// bootstrap replicates of 2000 numbers).
void BM_EdfTests(benchmark::State& state, bool estimated)
{
    const TVector& data = Sample();
    TParamSet which;
    if (estimated)
        which.set(0).set(1);
    for (auto _ : state) {
        TEdfTest test(data, TDistKind::Normal, {1, 2}, which, 1);
        benchmark::DoNotOptimize(test.Result().pAD);
    }
}

const TVector& Sorted()
{
    static const TVector sorted = [] {
        TVector s = Sample();
        std::sort(s.begin(), s.end());
        return s;
    }();
    return sorted;
}

// From the sorted buffer the tests hand over.
void BM_QuantilePairs(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(QuantilePairs(Sorted(), TDistKind::Normal, {1, 2}, 2000).sample.size());
}

void BM_QuantileViewRedraw(benchmark::State& state)
{
    TForm1 form;
    form.show();
    form.DataBuffer = Sample();
    form.LastQuantiles = QuantilePairs(Sorted(), TDistKind::Normal, {1, 2}, 2000);
    bool pp = false;
    for (auto _ : state) {
        (pp ? form.RadioButton6 : form.RadioButton5)->setChecked(true);
        pp = !pp;
        form.RadioButton3Click();
        QApplication::processEvents();
        form.Chart2->viewport()->repaint();
    }
}

// "Execute" on the Fitting tab as a user presses it: a million numbers, the normal law on
// "Auto" (the estimates with their intervals, the chi-square, both tests with their bootstrap,
// the Q-Q points), from the click to the result lines.
void BM_ExecuteMillionAuto(benchmark::State& state)
{
    TForm1 form;
    form.show();
    form.PageControl1->setCurrentWidget(form.TabSheet3);
    form.DataBuffer = Sample();
    QTimer::singleShot(0, [] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            d->findChild<QPushButton*>("OK")->click();
    });
    form.ComboBox2->setCurrentIndex(KindIndex(TDistKind::Normal));
    emit form.ComboBox2->activated(KindIndex(TDistKind::Normal));
    for (auto _ : state) {
        form.Button5->click();
        QApplication::processEvents();
    }
}

// "Rank all" on n numbers of a Weibull law: the time to the table (every kind fitted, the
// counter first_table_s) and to its last test (the benchmark's time).
void BM_Ranking(benchmark::State& state)
{
    SeedRandom(5);
    TBulkGeneration weibull(TGenMethod::Inverse, TDistKind::Weibull, {1.5, 2},
                            static_cast<std::size_t>(state.range(0)));
    weibull.Run();
    const TVector data = weibull.Result();
    double first = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        TKindRanking ranking(data, 10);
        while (!ranking.TableReady())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        first = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        benchmark::DoNotOptimize(ranking.Result().size());
    }
    state.counters["first_table_s"] = first;
}

BENCHMARK(BM_FitTest150)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Ranking)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_ExecuteMillionAuto)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_CAPTURE(BM_EdfTests, Typed, false)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_CAPTURE(BM_EdfTests, Bootstrap, true)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_QuantilePairs)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_QuantileViewRedraw)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_HistogramRedraw150)->Unit(benchmark::kMillisecond)->Iterations(20);
}  // namespace

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
