// The main of the benchmarks that need an application object but no window.
#include "bench/run_benchmarks.h"
#include <QCoreApplication>
#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return bench::runBenchmarks(argc, argv);
}
