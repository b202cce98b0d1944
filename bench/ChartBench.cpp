// The calculator's chart redrawn in the real window on the offscreen platform, warm: the
// values are known to the grid cache, so what remains is the series and the painting. And
// the calculator's actions that users time, cold: a quantile typed and Calc pressed, from an
// empty grid cache, with the chart drawn in either view.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <string>

#include "OffscreenMain.h"
#include "GridCache.h"
#include "Stat_Lib.h"
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

void BM_ColdQuantile(benchmark::State& state, TDistKind kind, TVector params, const char* p,
                     bool density)
{
    TForm1 form;
    form.show();
    form.CalcKind = kind;
    form.CalcParams = params;
    (density ? form.RadioButton1 : form.RadioButton2)->setChecked(true);
    for (auto _ : state) {
        state.PauseTiming();
        simpson::ClearGridCache();
        form.Edit2->clear();
        form.Edit4->setText(QString::fromLatin1(p));
        state.ResumeTiming();
        form.Button1Click();
        QApplication::processEvents();
    }
}

// Every kind, with typical parameters, in both views.
const int Registered = [] {
    for (bool density : {true, false}) {
        const char* view = density ? "/Density" : "/Cumulative";
        benchmark::RegisterBenchmark((std::string("ColdCalc/Chi2_1000/Quantile_0.95") + view).c_str(),
                                     BM_ColdQuantile, TDistKind::Chi2, TVector{1000}, "0.95", density)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
        benchmark::RegisterBenchmark((std::string("ColdCalc/LogNormal_5_1/Quantile_0.99") + view).c_str(),
                                     BM_ColdQuantile, TDistKind::LogNormal, TVector{5, 1}, "0.99", density)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
    }
    struct Kind {
        const char* name;
        TDistKind kind;
        TVector params;
    };
    const Kind kinds[] = {
        {"UniformStd", TDistKind::UniformStd, {}},     {"Uniform", TDistKind::Uniform, {0, 2}},
        {"NormalStd", TDistKind::NormalStd, {}},       {"Normal", TDistKind::Normal, {1, 2}},
        {"Chi2", TDistKind::Chi2, {10}},               {"Student", TDistKind::Student, {5}},
        {"LogNormal", TDistKind::LogNormal, {0, 1}},   {"Exponential", TDistKind::Exponential, {1.5}},
        {"F", TDistKind::F, {5, 8}},                   {"Cauchy", TDistKind::Cauchy, {0, 1}},
        {"Logistic", TDistKind::Logistic, {0, 1}},     {"Beta", TDistKind::Beta, {2, 3}},
        {"Rayleigh", TDistKind::Rayleigh, {1}},        {"Weibull", TDistKind::Weibull, {1.5, 2}},
        {"Pareto", TDistKind::Pareto, {1, 3}},         {"ExtrValue", TDistKind::ExtrValue, {0, 1, 0.2}},
    };
    for (const Kind& k : kinds)
        for (bool density : {true, false})
            benchmark::RegisterBenchmark(
                (std::string(k.name) + (density ? "/Density" : "/Cumulative")).c_str(),
                BM_Button2Click, k.kind, k.params, density)
                ->Unit(benchmark::kMillisecond);
    return 0;
}();
}  // namespace

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
