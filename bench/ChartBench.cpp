// The calculator's chart redrawn in the real window on the offscreen platform, warm: the
// values are known to the grid cache, so what remains is the series and the painting.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QRadioButton>

#include "OffscreenMain.h"
#include "Unit1.h"

namespace {
void BM_Button2Click(benchmark::State& state, TDistKind kind, TVector params, bool density)
{
    TForm1 form;
    form.show();
    form.CalcKind = kind;
    form.CalcParams = params;
    (density ? form.RadioButton1 : form.RadioButton2)->setChecked(true);
    form.Button2Click();
    QApplication::processEvents();
    for (auto _ : state) {
        form.Button2Click();
        QApplication::processEvents();
    }
}

BENCHMARK_CAPTURE(BM_Button2Click, NormalDensity, TDistKind::Normal, TVector{1, 2}, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Button2Click, NormalCumulative, TDistKind::Normal, TVector{1, 2}, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Button2Click, Chi2Cumulative, TDistKind::Chi2, TVector{10}, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Button2Click, WeibullDensity, TDistKind::Weibull, TVector{1.5, 2}, true)
    ->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
