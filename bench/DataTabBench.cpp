// The Data tab's handlers with a million numbers, in the real window on the offscreen
// platform: Copy, Paste and showing the tab.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "Platform.h"
#include "OffscreenMain.h"
#include "Unit1.h"

namespace {
// A clipboard in memory; no prompts are shown by these handlers.
struct MemoryPlatform final : Platform {
    QString clipboard;
    std::optional<QString> InputBox(QWidget*, const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    void ShowMessage(QWidget*, const QString&) override {}
    bool AskYesNo(QWidget*, const QString&) override { return true; }
    QString ClipboardText() override { return clipboard; }
    void SetClipboardText(const QString& text) override { clipboard = text; }
    void SetClipboardImage(const QImage&) override {}
    QString OpenFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString SaveFileName(QWidget*, const QString&, const QString&) override { return {}; }
    SaveAnswer AskSave(QWidget*, const QString&) override { return SaveAnswer::Discard; }
};

TVector Million()
{
    TVector values(1000000);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = 0.1 * static_cast<double>(i) - 12345.678;
    return values;
}

struct Window {
    MemoryPlatform platform;
    TForm1 form;
    Window()
    {
        InstallPlatform(&platform);
        form.show();
        form.DataBuffer = Million();
    }
    ~Window() { InstallPlatform(nullptr); }
};

void BM_Copy(benchmark::State& state)
{
    Window w;
    for (auto _ : state)
        w.form.Button3Click();
}

void BM_Paste(benchmark::State& state)
{
    Window w;
    w.form.Button3Click();
    for (auto _ : state) {
        w.form.Button4Click();
        QApplication::processEvents();
    }
}

void BM_TabSheet2Show(benchmark::State& state)
{
    Window w;
    for (auto _ : state) {
        state.PauseTiming();
        w.form.DataBuffer.resize(1);
        w.form.TabSheet2Show();
        w.form.DataBuffer = Million();
        QApplication::processEvents();
        state.ResumeTiming();
        w.form.TabSheet2Show();
        QApplication::processEvents();  // the grid painted once
    }
}

BENCHMARK(BM_Copy)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Paste)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TabSheet2Show)->Unit(benchmark::kMillisecond)->Iterations(5);
}  // namespace

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
