#pragma once
// Benchmarks run headless with a QApplication, as the exporter does.
#include <benchmark/benchmark.h>

#include <QApplication>

#define VELMORA_BENCH_MAIN()                                                                  \
    int main(int argc, char **argv)                                                           \
    {                                                                                         \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                   \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                          \
        QApplication app(argc, argv);                                                         \
        benchmark::Initialize(&argc, argv);                                                   \
        benchmark::RunSpecifiedBenchmarks();                                                  \
        benchmark::Shutdown();                                                                \
        return 0;                                                                             \
    }
