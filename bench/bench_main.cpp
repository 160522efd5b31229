// Runs every benchmark; `make bench` calls this.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
