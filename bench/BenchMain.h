#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

// The main of every benchmark program: Google Benchmark inside an offscreen
// Qt application, so windows and controls can be made without a display.
inline int runBenchmarks(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication qt(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
