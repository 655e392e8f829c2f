#include <benchmark/benchmark.h>

// The one main of quorvane_bench; every other file here only registers its benchmarks.
BENCHMARK_MAIN();
