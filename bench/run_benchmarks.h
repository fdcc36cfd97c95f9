#pragma once
// The benchmarks named on the command line, run once the application object
// the caller made exists.
#include <benchmark/benchmark.h>

namespace bench {

inline int runBenchmarks(int& argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
