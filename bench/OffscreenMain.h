// The main of a benchmark of the windows: a QApplication on the offscreen platform.
#pragma once

#include <QApplication>
#include <benchmark/benchmark.h>

inline int RunWindowBenchmarks(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
